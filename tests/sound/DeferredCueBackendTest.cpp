#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "sound/DeferredCueBackend.h"

using namespace vexadra;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

struct Cue {
    int nID;
    bool wait;
    int player;
};

// A player whose device can be made to vanish; counts the players alive.
struct Devices {
    std::mutex mutex;
    std::vector<Cue> played;
    std::atomic<int> made{0};
    std::atomic<int> alive{0};
    std::atomic<bool> working{true};

    std::vector<Cue> Played()
    {
        std::lock_guard lock(mutex);
        return played;
    }
};

class FakePlayer final : public CueBackend {
public:
    explicit FakePlayer(Devices& d) : m_d(d), m_number(++d.made) { ++m_d.alive; }
    ~FakePlayer() override { --m_d.alive; }
    void Play(int nID, SoundImage, bool wait) override
    {
        std::lock_guard lock(m_d.mutex);
        m_d.played.push_back({nID, wait, m_number});
    }
    bool Working() const override { return m_d.working; }

private:
    Devices& m_d;
    int m_number;
};

const unsigned char kImage[] = {1, 2, 3};
const SoundImage kSound{kImage, sizeof kImage};

template <class Condition>
bool Eventually(Condition condition)
{
    for (const auto end = Clock::now() + 3s; Clock::now() < end; std::this_thread::sleep_for(5ms))
        if (condition())
            return true;
    return condition();
}

} // namespace

TEST(DeferredCueBackend, MakesThePlayerOnlyWhenAskedAndNeverHoldsUpAnUnwaitedCue)
{
    Devices d;
    DeferredCueBackend cues([&]() -> std::unique_ptr<CueBackend> {
        std::this_thread::sleep_for(500ms);
        return std::make_unique<FakePlayer>(d);
    });
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(d.made, 0);  // nothing loaded before the first paint asks

    auto start = Clock::now();
    cues.Start();
    cues.Play(IDR_SOUND_BRRR, kSound, false);  // no player yet: dropped
    EXPECT_LT(Clock::now() - start, 300ms);

    cues.Play(IDR_SOUND_TAKE, kSound, true);  // waits for the player
    cues.Play(IDR_SOUND_BRRR, kSound, false);
    const auto played = d.Played();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].nID, IDR_SOUND_TAKE);
    EXPECT_TRUE(played[0].wait);
    EXPECT_EQ(played[1].nID, IDR_SOUND_BRRR);
    EXPECT_FALSE(played[1].wait);
}

TEST(DeferredCueBackend, APlayerThatCannotBeMadeLeavesTheCuesSilentAndIsTriedAgainOnlyForACue)
{
    std::atomic<int> tries{0};
    DeferredCueBackend::Timing timing;
    timing.firstRetry = 20ms;
    DeferredCueBackend failing([&]() -> std::unique_ptr<CueBackend> {
        ++tries;
        throw std::runtime_error("no audio");
    }, timing);
    const auto start = Clock::now();
    failing.Play(IDR_SOUND_GONG, kSound, true);  // gives up with the failed attempt, not at the bound
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_FALSE(failing.IsReady());
    const int tried = tries;  // one or two: the thread may have failed before the cue came
    EXPECT_GE(tried, 1);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(tries, tried);  // no device, no polling
    failing.Play(IDR_SOUND_BRRR, kSound, false);
    EXPECT_TRUE(Eventually([&] { return tries == tried + 1; }));

    Devices d;
    d.working = false;  // a device that opens broken counts as none
    DeferredCueBackend broken([&] { return std::make_unique<FakePlayer>(d); });
    broken.Play(IDR_SOUND_GONG, kSound, true);
    EXPECT_TRUE(d.Played().empty());
    EXPECT_TRUE(Eventually([&] { return d.alive == 0; }));
}

TEST(DeferredCueBackend, ALostDeviceIsReplacedWithoutACueWaitingForIt)
{
    Devices d;
    DeferredCueBackend::Timing timing;
    timing.check = 10ms;
    timing.firstRetry = 10ms;
    timing.lastRetry = 40ms;
    DeferredCueBackend cues([&] { return std::make_unique<FakePlayer>(d); }, timing);
    cues.Start();
    ASSERT_TRUE(cues.IsReady(3s));

    d.working = false;  // the audio server went away
    cues.Play(IDR_SOUND_BRRR, kSound, false);
    EXPECT_TRUE(Eventually([&] { return d.made >= 3 && d.alive <= 1; }));  // tried again while it is away
    d.working = true;  // and it is back
    ASSERT_TRUE(cues.IsReady(3s));
    cues.Play(IDR_SOUND_TAKE, kSound, false);
    const auto played = d.Played();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].nID, IDR_SOUND_TAKE);
    EXPECT_GE(played[0].player, 3);
    EXPECT_LE(d.alive, 1);
}

TEST(DeferredCueBackend, AHangingDeviceSearchHoldsUpNeitherAWaitedCueNorTheEnd)
{
    Devices d;
    std::atomic<bool> release{false};
    DeferredCueBackend::Timing timing;
    timing.readyWait = 100ms;
    {
        DeferredCueBackend cues([&]() -> std::unique_ptr<CueBackend> {
            while (!release)
                std::this_thread::sleep_for(5ms);
            return std::make_unique<FakePlayer>(d);
        }, timing);
        const auto start = Clock::now();
        cues.Play(IDR_SOUND_GONG, kSound, true);
        EXPECT_LT(Clock::now() - start, 1s);
        EXPECT_GE(Clock::now() - start, 100ms);
    }
    // Ended without waiting; the player made afterwards is closed by its own thread.
    EXPECT_EQ(d.made, 0);
    EXPECT_EQ(DeferredCueBackend::ThreadsLeftRunning(), 1);
    release = true;
    EXPECT_TRUE(Eventually([&] { return d.made == 1 && d.alive == 0; }));
    EXPECT_TRUE(Eventually([] { return DeferredCueBackend::ThreadsLeftRunning() == 0; }));
    EXPECT_TRUE(d.Played().empty());
}
