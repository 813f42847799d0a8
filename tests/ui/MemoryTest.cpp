// A long evening's painting and playing must not cost memory: after a warm-up, the real
// painter on the real canvas repaints the screen a hundred thousand times and the game
// plays ten thousand rounds through its own handlers, while the resident set stays put.
// Needs a display (run under xvfb-run).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include <unistd.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "game/Deal.h"
#include "game/Keys.h"
#include "game/Rules.h"
#include "scores/ScoreHistory.h"
#include "sound/Cues.h"
#include "ui/ScreenPainter.h"
#include "ui/WxCanvas.h"
#include "support/OffscreenGame.h"

// The sanitizers' allocator keeps freed memory in quarantine, so the resident set says
// nothing about leaks there (and LeakSanitizer covers those builds anyway).
#if defined(__SANITIZE_ADDRESS__)
#define VEXADRA_RSS_MEANINGLESS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || __has_feature(thread_sanitizer)
#define VEXADRA_RSS_MEANINGLESS 1
#endif
#endif

namespace vexadra {
namespace {

constexpr long kAllowedGrowthKiB = 1024;

long ResidentKiB()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The gong and the captures cost nothing, so ten thousand rounds fit into the test.
class SilentCues final : public CueBackend {
public:
    SilentCues() : m_previous(GetCueBackend()) { SetCueBackend(this); }
    ~SilentCues() override { SetCueBackend(m_previous); }
    SilentCues(const SilentCues&) = delete;
    SilentCues& operator=(const SilentCues&) = delete;

    void Play(int, SoundImage, bool) override {}

private:
    CueBackend* m_previous;
};

// One game on one window's worth of off-screen image.
class Screen : public testing::OffscreenGame {
public:
    Screen(Size size, std::uint32_t seed) : OffscreenGame(size, seed) { m_game.SetShowScores([] {}); }

    // Now and then the page or the numbers (text is what a paint spends its time on);
    // the game is left as it was.
    bool Repaint(long i)
    {
        GameState& s = m_game.State();
        const bool page = s.m_bInstructions;
        const bool numbers = s.m_bNumbers;
        s.m_bInstructions = i % 16 == 7;
        s.m_bNumbers = i % 8 == 3;
        const bool drawn = m_painter.OnDraw(m_size, std::time(nullptr)) == ScreenPainter::PaintResult::Drawn;
        s.m_bInstructions = page;
        s.m_bNumbers = numbers;
        return drawn;
    }

    // Plays moves through the handlers until the round has ended and the next one is
    // dealt; false when no move would go. Some presses and releases are refused on the
    // way, as a player's would be.
    bool PlayRound()
    {
        GameState& s = m_game.State();
        const int round = s.m_nRound;
        for (int deals = 0; deals < 100; ++deals) {
            while (PlayOneMove())
                if (s.m_nRound != round)
                    return s.m_nRound == round + 1;
            // Every colour left is walled in by black squares: deal again rather than
            // stall, as a test of memory may.
            m_game.DealRound();
        }
        return false;
    }

    void PressKey(int key) { m_game.OnKeyDown(key); }
    VexadraGame& Game() { return m_game; }

private:
    static Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    bool PlayOneMove()
    {
        GameState& s = m_game.State();
        const int base = s.m_nSide == 0 ? 0 : kBoardSquares;
        const int movesLeft = s.m_nMovesLeft[0] + s.m_nMovesLeft[1];
        const int round = s.m_nRound;
        for (int f = 0; f < kBoardSquares; ++f) {
            if (s.IsEmpty(base + f))
                continue;
            for (int t = 0; t < kBoardSquares; ++t) {
                if (t == f || s.IsEmpty(base + t) || (!AreAdjacent(f, t) && FindJumpLine(f, t) == nullptr))
                    continue;
                m_game.OnLButtonDown(Centre(s.m_rcSquare[base + f]));
                m_game.OnLButtonUp(Centre(s.m_rcSquare[base + t]));
                if (s.m_nRound != round || s.m_nMovesLeft[0] + s.m_nMovesLeft[1] != movesLeft)
                    return true;
            }
        }
        return false;
    }
};

// Rounds on one screen with the keys a player uses between them: the page and back,
// the numbers for one round in ten, and now and then End to record the game and start
// the next.
bool PlayRounds(Screen& screen, long rounds)
{
    for (long r = 0; r < rounds; ++r) {
        if (!screen.PlayRound())
            return false;
        if (r % 97 == 13) {
            screen.PressKey(VK_F1);
            screen.PressKey(VK_END);
        }
        if (r % 50 == 49)
            screen.PressKey(VK_END);
        if (r % 100 == 90)
            screen.PressKey(VK_INSERT);
        else if (r % 100 == 0)
            screen.Game().State().m_bNumbers = false;  // no key turns them off
    }
    return true;
}

TEST(Memory, RepaintsAndRoundsKeepTheResidentSetFlat)
{
#ifdef VEXADRA_RSS_MEANINGLESS
    GTEST_SKIP() << "the sanitizer's allocator makes the resident set meaningless";
#endif
    SilentCues cues;
    // Most paints at the smallest window the game accepts, every tenth at 1024x768.
    Screen small(Size{kMinClientWidth, kMinClientHeight}, 3);
    Screen large(Size{1024, 768}, 4);
    const auto paint = [&](long i) { return i % 10 == 0 ? large.Repaint(i) : small.Repaint(i); };

    for (long i = 0; i < 3000; ++i)
        ASSERT_TRUE(paint(i));
    ASSERT_TRUE(PlayRounds(small, 300));
    ASSERT_TRUE(PlayRounds(large, 30));
    const long warm = ResidentKiB();
    const int gamesBefore = small.Game().History().m_nGameCount;

    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    const auto started = Clock::now();
    long peak = warm;
    for (long i = 0; i < 100000; ++i) {
        ASSERT_TRUE(paint(i)) << i;
        if (i % 1000 == 0)
            peak = std::max(peak, ResidentKiB());
    }
    const long afterPaints = ResidentKiB();
    const auto painted = Clock::now();
    for (long block = 0; block < 10; ++block) {
        ASSERT_TRUE(PlayRounds(small, 1000)) << "no move left in block " << block;
        peak = std::max(peak, ResidentKiB());
    }
    const long afterRounds = ResidentKiB();
    const auto played = Clock::now();
    peak = std::max({peak, afterPaints, afterRounds});

    const int gamesPlayed = small.Game().History().m_nGameCount - gamesBefore;
    EXPECT_GT(gamesPlayed, 0);
    std::printf("resident set: %ld KiB after the warm-up, %ld KiB after 100000 repaints (%.1f s), %ld KiB after "
                "10000 rounds (%.1f s, %d games recorded), peak %ld KiB: %+ld KiB\n",
                warm, afterPaints, seconds(painted - started), afterRounds, seconds(played - painted), gamesPlayed, peak,
                peak - warm);
    RecordProperty("rss_warm_kib", std::to_string(warm));
    RecordProperty("rss_peak_kib", std::to_string(peak));
    EXPECT_LE(peak - warm, kAllowedGrowthKiB) << "warm " << warm << " KiB, peak " << peak << " KiB";
}

} // namespace
} // namespace vexadra
