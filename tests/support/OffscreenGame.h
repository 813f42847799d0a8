#pragma once
// One game whose painter draws into an off-screen image: the real canvas on real
// pixels, with no window. Needs a running wx application (and so a display).

#include <cstdint>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "game/Deal.h"
#include "game/VexadraGame.h"
#include "scores/ScoreHistory.h"
#include "ui/ScreenPainter.h"
#include "ui/WxCanvas.h"

namespace vexadra::testing {

class OffscreenGame {
public:
    // depth 0 takes the display's colour depth.
    OffscreenGame(Size size, std::uint32_t seed, int displayDepth = 24)
        : m_size(size), m_random(seed), m_game(m_history, m_random), m_painter(m_game, "D604"),
          m_bitmap(size.cx, size.cy, 24), m_dc(m_bitmap), m_canvas(m_dc, displayDepth)
    {
        m_painter.SetCanvas(&m_canvas);
        m_game.SetScreen(&m_painter);
    }
    ~OffscreenGame() { m_game.SetScreen(nullptr); }
    OffscreenGame(const OffscreenGame&) = delete;
    OffscreenGame& operator=(const OffscreenGame&) = delete;

    Size m_size;
    ScoreHistory m_history;
    SeededRandom m_random;
    VexadraGame m_game;
    ScreenPainter m_painter;
    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
    WxCanvas m_canvas;
};

} // namespace vexadra::testing
