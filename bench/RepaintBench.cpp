// How long a full repaint and one move's drawing take on the real canvas, into the
// window's kind of off-screen image.

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <optional>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include "game/Deal.h"
#include "scores/ScoreHistory.h"
#include "ui/LayoutMemo.h"
#include "ui/ScreenPainter.h"
#include "ui/WxCanvas.h"
#include "support/OffscreenGame.h"

namespace vexadra {
namespace {

// Laid out and dealt by a first paint.
class Screen : public testing::OffscreenGame {
public:
    Screen(int w, int h) : OffscreenGame(Size{w, h}, 5, 0) { m_painter.OnDraw(m_size, std::time(nullptr)); }
};

// Passes everything on to the real canvas and counts the text measurements: they are
// what the first paint's fitting of the instructions page spends its time on.
class CountingCanvas final : public Canvas {
public:
    explicit CountingCanvas(Canvas& real) : m_real(real) {}

    ColorRef NearestColor(ColorRef wanted) const override { return m_real.NearestColor(wanted); }
    void FillRect(const Rect& rect, ColorRef color) override { m_real.FillRect(rect, color); }
    void Rectangle(const Rect& rect, int penWidth, ColorRef fill) override { m_real.Rectangle(rect, penWidth, fill); }
    void Polygon(const Point* points, int count, ColorRef fill) override { m_real.Polygon(points, count, fill); }
    void SelectFont(const FontSpec& font) override { m_real.SelectFont(font); }
    Size TextExtent(std::string_view text) override
    {
        ++m_measured;
        return m_real.TextExtent(text);
    }
    int LineHeight() override { return m_real.LineHeight(); }
    void DrawText(std::string_view text, int x, int y, ColorRef color) override { m_real.DrawText(text, x, y, color); }
    void SetClip(const Rect& rect) override { m_real.SetClip(rect); }
    void ResetClip() override { m_real.ResetClip(); }

    long long Measured() const { return m_measured; }

private:
    Canvas& m_real;
    long long m_measured = 0;
};

// The painter's share of the start-up: a fresh game's first paint, fonts made anew on a
// fresh canvas. Toolkit-wide caches (fontconfig, Pango) stay warm, so this is the part of
// the first paint the game itself can shorten. remembered: with what an earlier run's
// first paint at that size left in the layout memo, as on every start but the first.
void BM_FirstPaint(benchmark::State& state)
{
    const Size size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    wxBitmap bitmap(size.cx, size.cy, 24);
    wxMemoryDC dc(bitmap);
    LayoutMemo memo;
    const bool remembered = state.range(2) != 0;
    long long measured = 0;
    int fitSteps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ScoreHistory history;
        SeededRandom random(5);
        VexadraGame game(history, random);
        ScreenPainter painter(game, "D604");
        auto real = std::make_unique<WxCanvas>(dc);
        CountingCanvas canvas(*real);
        if (remembered) {
            painter.SetLayoutMemo(&memo);
            real->SetLayoutMemo(&memo);
        }
        painter.SetCanvas(&canvas);
        game.SetScreen(&painter);
        state.ResumeTiming();

        benchmark::DoNotOptimize(painter.OnDraw(size, std::time(nullptr)));

        state.PauseTiming();
        measured = canvas.Measured();
        // Remembered, the fitted font is taken without a step.
        fitSteps = remembered ? 0 : ((12 * painter.Geometry().m_nUnitY) / 4 - painter.InstructionsFontHeight()) / 2;
        game.SetScreen(nullptr);
        state.ResumeTiming();
    }
    state.counters["text_measures"] = static_cast<double>(measured);
    state.counters["fit_steps"] = fitSteps;
}
BENCHMARK(BM_FirstPaint)
    ->ArgNames({"w", "h", "remembered"})
    ->ArgsProduct({{1024}, {768}, {0, 1}})
    ->Args({1920, 1080, 0})
    ->Unit(benchmark::kMillisecond);

Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void BM_FullRepaint(benchmark::State& state)
{
    Screen screen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    screen.m_game.State().m_bNumbers = state.range(2) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(screen.m_painter.OnDraw(screen.m_size, std::time(nullptr)));
}
BENCHMARK(BM_FullRepaint)
    ->ArgNames({"w", "h", "numbers"})
    ->Args({1024, 768, 0})
    ->Args({1024, 768, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMicrosecond);

// A window resized to 1920x1080 from the size it was first laid out at: what the view
// does on the paint after the change, a new off-screen image included. Fonts of the new
// heights are made anew, as on the first change to a size.
void BM_Relayout(benchmark::State& state)
{
    const Size size{1920, 1080};
    for (auto _ : state) {
        state.PauseTiming();
        Screen screen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        state.ResumeTiming();

        wxBitmap resized(size.cx, size.cy, 24);
        screen.m_dc.SelectObject(resized);
        benchmark::DoNotOptimize(screen.m_painter.OnDraw(size, std::time(nullptr)));

        state.PauseTiming();
        screen.m_dc.SelectObject(wxNullBitmap);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Relayout)->ArgNames({"from_w", "from_h"})->Args({1280, 720})->Args({1024, 768})->Unit(benchmark::kMillisecond);

void BM_InstructionsPage(benchmark::State& state)
{
    Screen screen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    screen.m_game.State().m_bInstructions = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(screen.m_painter.OnDraw(screen.m_size, std::time(nullptr)));
}
BENCHMARK(BM_InstructionsPage)->ArgNames({"w", "h"})->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// One legal move of the active side: press on a coloured square, release on a coloured
// neighbour. The moves left are topped up so that no round ends inside the timing, and
// a board that has run out of neighbouring colours is dealt again.
void BM_ReleaseHandling(benchmark::State& state)
{
    Screen screen(1920, 1080);
    VexadraGame& game = screen.m_game;
    GameState& s = game.State();
    s.m_bNumbers = state.range(0) != 0;
    for (auto _ : state) {
        s.m_nMovesLeft[0] = kMovesPerRound;
        s.m_nMovesLeft[1] = kMovesPerRound;
        const int base = s.m_nSide == 0 ? 0 : kBoardSquares;
        std::optional<AdjacentPair> pair;
        for (const AdjacentPair& p : g_adjacentPairs)
            if (!s.IsEmpty(base + p.a) && !s.IsEmpty(base + p.b)) {
                pair = p;
                break;
            }
        if (!pair) {
            game.DealRound();
            continue;
        }
        game.OnLButtonDown(Centre(s.m_rcSquare[base + pair->a]));
        game.OnLButtonUp(Centre(s.m_rcSquare[base + pair->b]));
    }
}
BENCHMARK(BM_ReleaseHandling)->ArgNames({"numbers"})->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vexadra

namespace {
class BenchApp final : public wxApp {
public:
    bool OnInit() override { return true; }
};
} // namespace
wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    wxInitializer wx(argc, argv);
    if (!wx.IsOk())
        return 2;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
