#pragma once
// The game window: it owns the game and its off-screen image, forwards paint, mouse
// and key events to the game, and copies the image to the screen.

#include <memory>
#include <string>

#include <wx/timer.h>
#include <wx/window.h>

#include "ai/ComputerTurn.h"
#include "game/Deal.h"
#include "game/Opponent.h"
#include "game/VexadraGame.h"
#include "ui/LayoutMemo.h"
#include "ui/ScreenPainter.h"
#include "ui/ViewOptions.h"
#include "ui/WindowImage.h"

namespace vexadra {

class WxCanvas;

class CVexadraView final : public wxWindow {
public:
    CVexadraView(wxWindow* parent, const ViewOptions& options);
    ~CVexadraView() override;

    VexadraGame& Game() { return m_game; }
    ScreenPainter& Painter() { return m_painter; }

    // Draws everything drawn so far onto the window at once.
    void Present();

    // Who plays the right side; the computer's turns run from a timer.
    void SetOpponent(Opponent opponent);
    // The computer waits while the returned guard lives (a dialog of the frame is up).
    [[nodiscard]] std::shared_ptr<void> DialogShown();

    // The menus' commands. The frame asks before NewGame when the game has moves.
    void NewGame();
    void UndoMove();
    bool CanUndo() const;
    // Marks the move a strong player would make for the side to move, for a few seconds.
    void ShowHint();
    // A game key as if it had been pressed in the window (F1, F2 from the Help menu).
    void PressKey(int key);
    void SetNumbers(bool on);
    void SetShowLastMove(bool on);
    void SetMarkRefused(bool on);

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnTurnTimer(wxTimerEvent& event);
    bool ComputerPaused() const;
    // The frame around the square the computer is about to move, when there is one.
    void DrawComputerMark();
    void TraceComputerMove();
    // After every input the hint goes; the last move's marks follow the game.
    void AfterInput();
    void UpdateLastMoveMarks();
    void MarkRefused(int square);
    void OnMarkTimer(wxTimerEvent& event);

    // Runs a full paint of the game into the off-screen image.
    bool PaintGame();
    // A new off-screen image when the client area or the scale factor changed.
    void EnsureImage();
    void AbortTooSmall();
    void ShowScores();
    void TracePaint();
    // One line of the testing trace, stamped with the moment: WHAT at=<ns>AFTER.
    void AppendTrace(const std::string& what, const std::string& after = {}) const;
    void AfterFirstPaint();
    // The memo for text measured on dc, its signature checked; null when dc has none.
    LayoutMemo* UseLayoutMemo(wxDC& dc);
    void SaveLayoutMemo();

    std::string m_tracePath;
    std::string m_appName;
    std::string m_tooSmallMessage;
    bool m_bQuitAfterFirstPaint = false;
    std::string m_version;
    std::string m_memoPath;
    LayoutMemo m_memo;
    bool m_bMemoSavePending = false;
    bool m_bPaintedOnce = false;
    SeededRandom m_random;
    VexadraGame m_game;
    ScreenPainter m_painter;
    ai::ComputerTurn m_turn;
    wxTimer m_turnTimer;
    int m_nDialogs = 0;
    bool m_bShowLastMove = false;
    bool m_bMarkRefused = false;
    // Each takes its mark away when it runs out.
    wxTimer m_hintTimer;
    wxTimer m_refusedTimer;

    WindowImage m_image;
    std::unique_ptr<WxCanvas> m_canvas;

    // While a handler runs, the image may be ahead of the state (a move is drawn step by
    // step): a paint then only copies the image instead of redrawing from the state.
    int m_nBusy = 0;
    // Inside Present()'s own update: the image is already what the screen must show.
    bool m_bPresenting = false;
    bool m_bAborting = false;

    wxDECLARE_EVENT_TABLE();
};

// Turns a wx key event into the game's key code; 0 when the game must not see the key
// (it belongs to a menu accelerator or means nothing to the game).
int GameKeyFor(int wxKeyCode, int modifiers);

} // namespace vexadra
