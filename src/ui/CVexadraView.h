#pragma once
// The game window: it owns the game and its off-screen image, forwards paint, mouse
// and key events to the game, and copies the image to the screen.

#include <memory>
#include <string>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/window.h>

#include "game/Deal.h"
#include "game/VexadraGame.h"
#include "ui/ScreenPainter.h"

namespace vexadra {

class WxCanvas;
struct StartupOptions;

class CVexadraView final : public wxWindow {
public:
    CVexadraView(wxWindow* parent, const StartupOptions& options);
    ~CVexadraView() override;

    VexadraGame& Game() { return m_game; }
    ScreenPainter& Painter() { return m_painter; }

    // Draws everything drawn so far onto the window at once.
    void Present();

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    // Runs a full paint of the game into the off-screen image.
    bool PaintGame();
    // The off-screen image matches the client area and the window's scale factor.
    bool BufferFits() const;
    wxSize BufferSize() const;
    void EnsureBuffer();
    void AbortTooSmall();
    void ShowScores();
    void TracePaint();
    void AfterFirstPaint();

    std::string m_tracePath;
    bool m_bQuitAfterFirstPaint = false;
    bool m_bPaintedOnce = false;
    SeededRandom m_random;
    VexadraGame m_game;
    ScreenPainter m_painter;

    wxBitmap m_buffer;
    wxMemoryDC m_bufferDC;
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
