#include "game/VexadraGame.h"

#include <utility>

#include "game/Deal.h"
#include "game/Keys.h"
#include "game/MoveRules.h"
#include "scores/ScoreHistory.h"
#include "sound/Cues.h"

namespace vexadra {

namespace {
// Stands in while no screen is attached, so the handlers never test for one.
class NoScreen final : public GameScreen {
public:
    void FillSquare(int, const Brush&) override {}
    void FillSquares() override {}
    void ClearClient() override {}
    void DrawSquareNumber(int, int) override {}
    void RedrawSquare(int) override {}
    void DrawArrow(int) override {}
    void DrawScoreBox(int) override {}
    void DrawMovesBox(int) override {}
    void DrawGameRoundBox() override {}
    void DrawHelpLines() override {}
    void DrawHint() override {}
    void DrawNumbers() override {}
    void DrawInstructionsPage() override {}
    void Present() override {}
};
NoScreen g_noScreen;
} // namespace

VexadraGame::VexadraGame(ScoreHistory& history, RandomSource& random)
    : m_history(history), m_random(random), m_screen(&g_noScreen)
{
    for (int k = 0; k < kGameColors; ++k) {
        m_state.m_crWanted[k] = g_crGameColors[k];
        m_state.m_crWanted[k + kGameColors] = g_crGameColors[k];
    }
    m_state.m_crWanted[kBlackIndex] = kBlackWanted;
    // Until the first paint resolves them, the shown colours are the requested ones.
    for (int k = 0; k < kColorSlots; ++k)
        m_state.m_crShown[k] = m_state.m_crWanted[k];
    m_history.Clear();
}

void VexadraGame::SetScreen(GameScreen* screen) { m_screen = screen != nullptr ? screen : &g_noScreen; }

void VexadraGame::SetShowScores(std::function<void()> showScores) { m_showScores = std::move(showScores); }

int VexadraGame::HitTest(Point point, int first, int last) const
{
    for (int n = first; n <= last; ++n)
        if (m_state.m_rcSquare[n].ContainsStrictly(point))
            return n;
    return -1;
}

void VexadraGame::Reject() { PlayCue(IDR_SOUND_BRRR); }

void VexadraGame::OnLButtonDown(Point point)
{
    ForgetKeyPick();
    // The page covers the boards: a click there must not move squares the player cannot
    // see, nor leave an earlier pick-up for a release after the page has gone.
    if (m_state.m_bInstructions) {
        m_state.m_nPressState = kPressNothing;
        return;
    }
    Press(point);
}

void VexadraGame::Press(Point point)
{
    GameState& s = m_state;
    s.m_nPressState = kPressPicked;
    s.m_crFrom = 0;
    const int n = HitTest(point, 0, kSquares - 1);
    if (n >= 0)
        s.m_crFrom = s.ShownColorOf(n);
    if (n < 0 || s.m_crFrom == s.BlackReference()) {
        s.m_nPressState = kPressNothing;
        Reject();
        return;
    }
    s.m_nFromSquare = n;
}

bool VexadraGame::IsLegalMove(int base, int from, int to) const { return vexadra::IsLegalMove(m_state, base, from, to); }

void VexadraGame::OnLButtonUp(Point point)
{
    GameState& s = m_state;
    if (s.m_bInstructions || s.m_nPressState > kPressPicked)
        return;

    s.m_crTo = 0;
    const int dropped = HitTest(point, 0, kSquares - 1);
    if (dropped >= 0)
        s.m_crTo = s.ShownColorOf(dropped);
    if (s.m_crTo == s.BlackReference()) {
        s.m_nPressState = kPressOnEmpty;
        Reject();
        return;
    }
    s.m_brColor[kWorkBrushFrom] = Brush{s.m_crFrom};
    s.m_brColor[kWorkBrushTo] = Brush{s.m_crTo};

    int base;
    if (s.m_nFromSquare < kBoardSquares && s.m_nSide == 0)
        base = 0;
    else if (s.m_nFromSquare >= kBoardSquares && s.m_nSide == 1)
        base = kBoardSquares;
    else
        return Reject();

    const int to = HitTest(point, base, base + kBoardSquares - 1);
    if (to < 0)
        return Reject();
    s.m_nSquare = to;
    if (to == s.m_nFromSquare || !IsLegalMove(base, s.m_nFromSquare, to))
        return Reject();
    const int from = s.m_nFromSquare;
    const int side = s.m_nSide;
    s.m_nKeyPick = -1;  // the move's own drawing takes the mark off
    const bool lastMoveOfRound = s.m_nMovesLeft[side] == 1 && s.m_nMovesLeft[OtherSide(side)] == 0;

    s.m_bFirstTaken = false;
    s.m_bFirstMissed = false;
    m_screen->FillSquare(to, s.m_brColor[kWorkBrushFrom]);
    m_screen->FillSquare(from, s.m_brColor[kWorkBrushTo]);
    if (s.m_bNumbers) {
        m_screen->DrawSquareNumber(to, ColorNumber(s, s.m_crFrom));
        m_screen->DrawSquareNumber(from, ColorNumber(s, s.m_crTo));
    }

    // The colour that came to the drop square, then the one that went to the pick-up square.
    if (TakeOpposite(OppositeSquare(to), s.m_crFrom)) {
        PlayCaptureCue(lastMoveOfRound);
        s.m_bFirstTaken = true;
        s.m_nSquareColor[OppositeSquare(to)] = kBlackIndex;
    } else {
        s.m_bFirstMissed = true;
    }
    if (TakeOpposite(OppositeSquare(from), s.m_crTo)) {
        if (!s.m_bFirstTaken)
            PlayCaptureCue(lastMoveOfRound);
        s.m_bFirstTaken = false;
        s.m_nSquareColor[OppositeSquare(from)] = kBlackIndex;
    } else if (s.m_bFirstMissed) {
        ScoreChanged(kPointsForNothing);
    }

    std::swap(s.m_nSquareColor[to], s.m_nSquareColor[from]);
    s.m_nMovesLeft[side] -= 1;
    m_screen->DrawMovesBox(side);
    s.m_nSide = OtherSide(side);
    m_screen->DrawArrow(s.m_nSide);
    // Keeps the End line honest: it is offered only while End would act.
    m_screen->DrawHelpLines();
    // The frame follows the turn to the same place on the other board.
    if (s.m_nFocus >= 0) {
        m_screen->RedrawSquare(OppositeSquare(s.FocusSquare()));
        m_screen->RedrawSquare(s.FocusSquare());
    }

    if (s.m_nMovesLeft[0] == 0 && s.m_nMovesLeft[1] == 0)
        StartNextRound();
}

// Blacks out the opposite square when it shows the colour that moved next to it.
bool VexadraGame::TakeOpposite(int square, ColorRef moved)
{
    if (!TakesOpposite(m_state, square, moved))
        return false;
    m_screen->FillSquare(square, m_state.m_brBlack);
    ScoreChanged(kPointsPerCapture);
    return true;
}

void VexadraGame::ScoreChanged(int delta)
{
    m_state.m_nScore[m_state.m_nSide] += delta;
    m_screen->DrawScoreBox(m_state.m_nSide);
}

void VexadraGame::PlayCaptureCue(bool lastMoveOfRound)
{
    if (lastMoveOfRound)
        WaitForCue(IDR_SOUND_TAKE);
    else
        PlayCue(IDR_SOUND_TAKE);
}

void VexadraGame::WaitForCue(int nID)
{
    m_screen->Present();
    PlayCueAndWait(nID);
}

void VexadraGame::StartNextRound()
{
    GameState& s = m_state;
    s.m_nMovesLeft[0] = kMovesPerRound;
    s.m_nMovesLeft[1] = kMovesPerRound;
    DealRound();
    // The player sees the last move's position while the gong sounds.
    WaitForCue(IDR_SOUND_GONG);
    s.m_nRound += 1;
    m_screen->FillSquares();
    m_screen->DrawScoreBox(0);
    m_screen->DrawScoreBox(1);
    m_screen->DrawMovesBox(0);
    m_screen->DrawMovesBox(1);
    m_screen->DrawGameRoundBox();
    s.m_nSide = OtherSide(s.m_nSide);
    m_screen->DrawArrow(s.m_nSide);
    m_screen->DrawHelpLines();
    m_screen->DrawHint();
    if (s.m_bNumbers)
        m_screen->DrawNumbers();
    DrawKeyMarks();
}

bool VexadraGame::EndGameAllowed() const
{
    const GameState& s = m_state;
    return s.m_nMovesLeft[0] == kMovesPerRound && s.m_nMovesLeft[1] == kMovesPerRound &&
           (s.m_nScore[0] != 0 || s.m_nScore[1] != 0);
}

int VexadraGame::GameNumber() const { return m_history.m_nGameCount + 1; }

void VexadraGame::EndGame()
{
    if (!EndGameAllowed())
        return;
    GameState& s = m_state;
    m_history.RecordGame(s.m_nScore[0], s.m_nScore[1], s.m_nRound - 1);
    s.m_nRound = 1;
    s.m_nScore[0] = 0;
    s.m_nScore[1] = 0;
    m_screen->DrawScoreBox(0);
    m_screen->DrawScoreBox(1);
    m_screen->DrawGameRoundBox();
    m_screen->DrawHelpLines();
    m_screen->Present();
    if (m_showScores)
        m_showScores();
}

void VexadraGame::ReturnToGame()
{
    GameState& s = m_state;
    s.m_bInstructions = false;
    m_screen->ClearClient();
    m_screen->FillSquares();
    m_screen->DrawScoreBox(0);
    m_screen->DrawScoreBox(1);
    m_screen->DrawMovesBox(0);
    m_screen->DrawMovesBox(1);
    m_screen->DrawArrow(s.m_nSide);
    m_screen->DrawGameRoundBox();
    m_screen->DrawHelpLines();
    m_screen->DrawHint();
    if (s.m_bNumbers)
        m_screen->DrawNumbers();
    DrawKeyMarks();
}

void VexadraGame::DealRound()
{
    vexadra::DealRound(m_state, m_random);
    // The picked colour has just been dealt away: a release that comes without a fresh
    // press would otherwise paint that old colour and test captures with it, and the
    // screen would no longer show the state.
    m_state.m_nPressState = kPressNothing;
    m_state.m_nKeyPick = -1;
}

void VexadraGame::ForgetKeyPick()
{
    const int picked = m_state.KeyPickSquare();
    m_state.m_nKeyPick = -1;
    if (picked >= 0)
        m_screen->RedrawSquare(picked);
}

void VexadraGame::DrawKeyMarks()
{
    for (const int n : {m_state.FocusSquare(), m_state.KeyPickSquare()})
        if (n >= 0)
            m_screen->RedrawSquare(n);
}

void VexadraGame::MoveFocus(int nChar)
{
    GameState& s = m_state;
    const int old = s.FocusSquare();
    if (nChar == VK_HOME || s.m_nFocus < 0) {
        s.m_nFocus = 0;
    } else {
        // The frame stops at the board's edges.
        int row = RowOf(s.m_nFocus);
        int column = ColumnOf(s.m_nFocus);
        if (nChar == VK_LEFT && column > 0)
            --column;
        else if (nChar == VK_RIGHT && column < 3)
            ++column;
        else if (nChar == VK_UP && row > 0)
            --row;
        else if (nChar == VK_DOWN && row < 3)
            ++row;
        s.m_nFocus = 4 * row + column;
    }
    if (old >= 0 && old != s.FocusSquare())
        m_screen->RedrawSquare(old);
    m_screen->RedrawSquare(s.FocusSquare());
}

void VexadraGame::PickOrDrop()
{
    GameState& s = m_state;
    if (s.m_nFocus < 0)
        return;
    const int square = s.FocusSquare();
    const Point centre = s.m_rcSquare[square].Centre();
    if (s.KeyPickSquare() < 0) {
        Press(centre);
        if (s.m_nPressState == kPressPicked) {
            s.m_nKeyPick = square;
            m_screen->RedrawSquare(square);
        }
        return;
    }
    const int picked = s.m_nKeyPick;
    OnLButtonUp(centre);
    // A drop on an empty square ends the pick-up as it does for the mouse.
    if (s.m_nKeyPick >= 0 && s.m_nPressState != kPressPicked) {
        s.m_nKeyPick = -1;
        m_screen->RedrawSquare(picked);
    }
}

void VexadraGame::OnKeyDown(int nChar)
{
    GameState& s = m_state;
    if (s.m_bInstructions) {
        if (nChar == VK_END)
            ReturnToGame();
        return;
    }
    switch (nChar) {
    case VK_F1:
        m_screen->DrawInstructionsPage();
        s.m_bInstructions = true;
        break;
    case VK_END:
        EndGame();
        break;
    case VK_F2:
        if (m_history.m_nGameCount > 0 && m_showScores) {
            m_screen->Present();
            m_showScores();
        }
        break;
    case VK_INSERT:
        s.m_bNumbers = true;
        m_screen->DrawNumbers();
        break;
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        MoveFocus(nChar);
        break;
    case VK_SPACE:
    case VK_RETURN:
        PickOrDrop();
        break;
    case VK_ESCAPE:
        ForgetKeyPick();
        s.m_nPressState = kPressNothing;
        break;
    default:
        break;
    }
}

} // namespace vexadra
