#include "ui/CVexadraView.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>

#include <wx/dcclient.h>
#include <wx/translation.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#include "ai/Hint.h"
#include "game/Keys.h"
#include "scores/CScoresDlg.h"
#include "ui/MeasuringSignature.h"
#include "ui/SquareFrame.h"
#include "ui/WxCanvas.h"

namespace vexadra {

namespace {
// The computer's turns are paced in steps of this many milliseconds.
constexpr int kTurnTickMs = 40;
// How long a hint and the mark of a refused move stay unless the player goes on first.
constexpr int kHintShownMs = 3000;
constexpr int kRefusedShownMs = 300;

// Counts a handler as running for as long as the scope lives.
class BusyScope {
public:
    explicit BusyScope(int& counter) : m_counter(counter) { ++m_counter; }
    ~BusyScope() { --m_counter; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& m_counter;
};
} // namespace

wxBEGIN_EVENT_TABLE(CVexadraView, wxWindow)
    EVT_PAINT(CVexadraView::OnPaint)
    EVT_LEFT_DOWN(CVexadraView::OnLeftDown)
    EVT_LEFT_DCLICK(CVexadraView::OnLeftDown)
    EVT_LEFT_UP(CVexadraView::OnLeftUp)
    EVT_KEY_DOWN(CVexadraView::OnKeyDown)
wxEND_EVENT_TABLE()

CVexadraView::CVexadraView(wxWindow* parent, const ViewOptions& options)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_tracePath(options.tracePath),
      m_appName(options.appName),
      m_tooSmallMessage(options.tooSmallMessage),
      m_bQuitAfterFirstPaint(options.quitAfterFirstPaint),
      m_version(options.version),
      m_memoPath(options.layoutMemoPath),
      m_memo(ReadLayoutMemo(m_memoPath)),
      m_random(options.seed),
      m_game(theScoresDlg, m_random),
      m_painter(m_game, options.version),
      m_turn(m_game, options.seed),
      m_turnTimer(this),
      m_hintTimer(this),
      m_refusedTimer(this)
{
    Bind(wxEVT_TIMER, &CVexadraView::OnTurnTimer, this, m_turnTimer.GetId());
    Bind(wxEVT_TIMER, &CVexadraView::OnMarkTimer, this, m_hintTimer.GetId());
    Bind(wxEVT_TIMER, &CVexadraView::OnMarkTimer, this, m_refusedTimer.GetId());
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    m_painter.SetPresenter([this] { Present(); });
    m_game.SetScreen(&m_painter);
    m_game.SetShowScores([this] { ShowScores(); });
    m_game.SetRefusedListener([this](int square) { MarkRefused(square); });
}

CVexadraView::~CVexadraView()
{
    m_turnTimer.Stop();
    m_hintTimer.Stop();
    m_refusedTimer.Stop();
    m_game.SetScreen(nullptr);
}

void CVexadraView::EnsureImage()
{
    if (m_image.Fits(*this))
        return;
    m_image.Fit(*this);
    // Before anything is laid out on the new context.
    LayoutMemo* memo = UseLayoutMemo(m_image.DC());
    m_painter.SetLayoutMemo(memo);
    if (m_canvas == nullptr) {
        m_canvas = std::make_unique<WxCanvas>(m_image.DC());
        m_canvas->SetLayoutMemo(memo);
        m_painter.SetCanvas(m_canvas.get());
    } else {
        m_canvas->SetLayoutMemo(memo);
        m_canvas->SetDC(m_image.DC());
    }
}

LayoutMemo* CVexadraView::UseLayoutMemo(wxDC& dc)
{
    // What was measured under another signature (other fonts or settings, another scale,
    // another version of the program) is forgotten; a context without one keeps nothing.
    const std::string signature = m_memoPath.empty() ? std::string() : MeasuringSignature(dc);
    if (signature.empty())
        return nullptr;
    std::ostringstream full;
    full << m_version << " scale=" << GetContentScaleFactor() << ' ' << signature;
    m_memo.UseSignature(full.str());
    return &m_memo;
}

void CVexadraView::SaveLayoutMemo()
{
    m_bMemoSavePending = false;
    WriteLayoutMemo(m_memoPath, m_memo);
    m_memo.Saved();  // written or not, it is not tried again until something new is learned
}

bool CVexadraView::PaintGame()
{
    const wxSize size = GetClientSize();
    EnsureImage();
    if (m_painter.OnDraw(Size{size.x, size.y}, std::time(nullptr)) == ScreenPainter::PaintResult::TooSmall) {
        m_bAborting = true;
        CallAfter(&CVexadraView::AbortTooSmall);
        return false;
    }
    if (wxTopLevelWindow* frame = wxDynamicCast(wxGetTopLevelParent(this), wxTopLevelWindow))
        frame->SetTitle(wxString::FromUTF8(m_appName + " - " + m_painter.Title()));
    TracePaint();
    return true;
}

void CVexadraView::AppendTrace(const std::string& what, const std::string& after) const
{
    std::ofstream(m_tracePath, std::ios::app) << what << " at="
                                              << std::chrono::system_clock::now().time_since_epoch().count()
                                              << after << '\n';
}

void CVexadraView::TracePaint()
{
    if (m_tracePath.empty())
        return;
    const wxPoint origin = ClientToScreen(wxPoint(0, 0));
    const wxSize size = GetClientSize();
    AppendTrace("paint client=" + std::to_string(origin.x) + ',' + std::to_string(origin.y) + ',' +
                    std::to_string(size.x) + ',' + std::to_string(size.y),
                (std::ostringstream() << " scale=" << GetContentScaleFactor()).str());
}

void CVexadraView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (m_bAborting)
        return;
    // Mid-handler the image is ahead of the state and is only copied. The paint that a
    // handler's Present() asks for copies it too, unless the client area changed
    // meanwhile; every other paint lays out, refreshes the caption and redraws.
    if (m_nBusy == 0 && (!m_bPresenting || !m_image.Fits(*this))) {
        if (!PaintGame())
            return;
        DrawComputerMark();
    }
    m_image.CopyTo(dc);
    if (m_memo.Changed() && !m_bMemoSavePending) {
        m_bMemoSavePending = true;
        CallAfter(&CVexadraView::SaveLayoutMemo);
    }
    if (!m_bPaintedOnce) {
        m_bPaintedOnce = true;
        CallAfter(&CVexadraView::AfterFirstPaint);
    }
}

void CVexadraView::AfterFirstPaint()
{
    // From now on the layout exists: the window may no longer shrink below the smallest
    // size the game can be laid out in (before the first paint a small screen must still
    // reach the abort message).
    if (wxWindow* frame = wxGetTopLevelParent(this)) {
        frame->SetMinClientSize(frame->GetClientSize() - GetClientSize() + wxSize(kMinClientWidth, kMinClientHeight));
        if (m_bQuitAfterFirstPaint)
            frame->Close(true);
    }
}

void CVexadraView::Present()
{
    // Update() paints at once only where it can (not while the window is minimized, nor
    // on every Wayland compositor): a paint it leaves for later is a full one.
    m_bPresenting = true;
    Refresh(false);
    Update();
    m_bPresenting = false;
}

void CVexadraView::AbortTooSmall()
{
    wxMessageBox(wxGetTranslation(wxString::FromUTF8(m_tooSmallMessage)), wxString::FromUTF8(m_appName), wxOK, this);
    if (wxWindow* frame = wxGetTopLevelParent(this))
        frame->Destroy();
}

void CVexadraView::ShowScores()
{
    const auto dialog = DialogShown();
    theScoresDlg.DoModal(this);
}

void CVexadraView::SetOpponent(Opponent opponent)
{
    const bool wasMarked = m_turn.MarkedSquare() >= 0;
    m_turn.SetOpponent(opponent);
    if (wasMarked)
        Refresh(false);  // a full paint from the state takes the frame away
    // The timer runs only while the computer plays.
    if (opponent == Opponent::TwoPlayers)
        m_turnTimer.Stop();
    else if (!m_turnTimer.IsRunning())
        m_turnTimer.Start(kTurnTickMs);
}

std::shared_ptr<void> CVexadraView::DialogShown()
{
    ++m_nDialogs;
    return std::shared_ptr<void>(nullptr, [this](void*) { --m_nDialogs; });
}

bool CVexadraView::ComputerPaused() const
{
    const wxWindow* frame = wxGetTopLevelParent(const_cast<CVexadraView*>(this));
    // A modal dialog disables the frame; the print dialogs are counted by hand.
    return m_nBusy > 0 || m_nDialogs > 0 || m_bAborting || !m_bPaintedOnce || (frame != nullptr && !frame->IsEnabled());
}

void CVexadraView::OnTurnTimer(wxTimerEvent&)
{
    const bool paused = ComputerPaused();
    ai::ComputerTurn::Step step;
    {
        BusyScope busy(m_nBusy);
        step = m_turn.Tick(ai::ComputerTurn::Clock::now(), paused);
        if (step == ai::ComputerTurn::Step::Marked)
            DrawComputerMark();
    }
    switch (step) {
    case ai::ComputerTurn::Step::Moved:
        TraceComputerMove();
        UpdateLastMoveMarks();
        Present();
        break;
    case ai::ComputerTurn::Step::Marked:
        Present();
        break;
    case ai::ComputerTurn::Step::Unmarked:
        // A full paint from the state takes the frame away.
        Refresh(false);
        break;
    case ai::ComputerTurn::Step::Idle:
    case ai::ComputerTurn::Step::Waiting:
        break;
    }
}

void CVexadraView::TraceComputerMove()
{
    if (m_tracePath.empty())
        return;
    const ai::Move& move = m_turn.LastMove();
    AppendTrace("computer move=" + std::to_string(move.from) + ',' + std::to_string(move.to));
}

void CVexadraView::DrawComputerMark()
{
    const int square = m_turn.MarkedSquare();
    if (square >= 0 && !m_game.State().m_bInstructions && m_canvas)
        DrawSquareFrame(*m_canvas, m_game.State().m_rcSquare[square]);
}

void CVexadraView::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    if (m_bAborting || !m_game.State().m_bDealt)
        return;
    {
        BusyScope busy(m_nBusy);
        m_game.OnLButtonDown(Point{event.GetX(), event.GetY()});
        AfterInput();
    }
    Present();
}

void CVexadraView::OnLeftUp(wxMouseEvent& event)
{
    if (m_bAborting || !m_game.State().m_bDealt)
        return;
    {
        BusyScope busy(m_nBusy);
        m_turn.PersonRelease(Point{event.GetX(), event.GetY()});
        AfterInput();
    }
    Present();
}

void CVexadraView::OnKeyDown(wxKeyEvent& event)
{
    const int key = GameKeyFor(event.GetKeyCode(), event.GetModifiers());
    if (key == 0 || m_bAborting || !m_game.State().m_bDealt) {
        event.Skip();
        return;
    }
    PressKey(key);
}

void CVexadraView::PressKey(int key)
{
    if (m_bAborting || !m_game.State().m_bDealt)
        return;
    {
        BusyScope busy(m_nBusy);
        m_turn.PersonKey(key);
        AfterInput();
        DrawComputerMark();
    }
    Present();
}

void CVexadraView::AfterInput()
{
    m_hintTimer.Stop();
    m_painter.SetMarks(SquareMark::Hint, {});
    UpdateLastMoveMarks();
}

void CVexadraView::UpdateLastMoveMarks()
{
    std::vector<int> squares;
    const PlayedMoves& played = m_game.Played();
    // A new deal has covered the squares of a move that ended its round.
    if (m_bShowLastMove && !played.Empty() && !played.Last().endedRound) {
        const PlayedMove& last = played.Last();
        squares = {last.move.from, last.move.to};
        for (const int taken : last.outcome.taken)
            if (taken >= 0)
                squares.push_back(taken);
    }
    // Set again even when unchanged: a redraw of the boards (an undo, the page gone) wiped them.
    m_painter.SetMarks(SquareMark::LastMove, std::move(squares));
}

void CVexadraView::MarkRefused(int square)
{
    if (!m_bMarkRefused || square < 0)
        return;
    m_painter.SetMarks(SquareMark::Refused, {square});
    m_refusedTimer.StartOnce(kRefusedShownMs);
}

void CVexadraView::OnMarkTimer(wxTimerEvent& event)
{
    // A move may be drawing itself step by step: the mark goes at the next tick instead.
    if (m_nBusy > 0) {
        (event.GetId() == m_hintTimer.GetId() ? m_hintTimer : m_refusedTimer).StartOnce(kTurnTickMs);
        return;
    }
    m_painter.SetMarks(event.GetId() == m_hintTimer.GetId() ? SquareMark::Hint : SquareMark::Refused, {});
    DrawComputerMark();
    Present();
}

void CVexadraView::NewGame()
{
    {
        BusyScope busy(m_nBusy);
        m_turn.NewGame();
        AfterInput();
    }
    Present();
}

bool CVexadraView::CanUndo() const { return m_game.CanUndo(); }

void CVexadraView::UndoMove()
{
    {
        BusyScope busy(m_nBusy);
        m_turn.Undo();
        AfterInput();
    }
    Present();
}

void CVexadraView::ShowHint()
{
    const GameState& s = m_game.State();
    if (m_bAborting || !s.m_bDealt || s.m_bInstructions || m_turn.HoldsTurn())
        return;
    const vexadra::Move move = ai::HintMove(s);
    if (move.IsNone())
        return;
    {
        BusyScope busy(m_nBusy);
        m_painter.SetMarks(SquareMark::Hint, {move.from, move.to});
    }
    m_hintTimer.StartOnce(kHintShownMs);
    Present();
}

void CVexadraView::SetNumbers(bool on)
{
    m_game.State().m_bNumbers = on;
    // A full paint from the state: switching off has no way but to redraw the squares.
    Refresh(false);
}

void CVexadraView::SetShowLastMove(bool on)
{
    m_bShowLastMove = on;
    UpdateLastMoveMarks();
    if (m_bPaintedOnce)
        Present();
}

void CVexadraView::SetMarkRefused(bool on) { m_bMarkRefused = on; }

int GameKeyFor(int wxKeyCode, int modifiers)
{
    // Alt combinations are the menus' and Alt+F4's.
    if ((modifiers & (wxMOD_ALT | wxMOD_META)) != 0)
        return 0;
    switch (wxKeyCode) {
    case WXK_F1:
        return VK_F1;
    case WXK_F2:
        return VK_F2;
    case WXK_END:
    case WXK_NUMPAD_END:
        return VK_END;
    case WXK_INSERT:
    case WXK_NUMPAD_INSERT:
        // Ctrl+Insert and Shift+Insert belong to the accelerator table.
        return modifiers == wxMOD_NONE ? VK_INSERT : 0;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        return VK_HOME;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        return VK_LEFT;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        return VK_UP;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        return VK_RIGHT;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        return VK_DOWN;
    case WXK_SPACE:
    case WXK_NUMPAD_SPACE:
        return VK_SPACE;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return VK_RETURN;
    case WXK_ESCAPE:
        return VK_ESCAPE;
    default:
        return 0;
    }
}

} // namespace vexadra
