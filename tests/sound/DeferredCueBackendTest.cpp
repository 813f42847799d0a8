#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
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
    std::function<void()> closing;  // what closing a player does besides

    std::vector<Cue> Played()
    {
        std::lock_guard lock(mutex);
        return played;
    }
};

class FakePlayer final : public CueBackend {
public:
    explicit FakePlayer(Devices& d) : m_d(d), m_number(++d.made) { ++m_d.alive; }
    ~FakePlayer() override
    {
        if (m_d.closing)
            m_d.closing();
        --m_d.alive;
    }
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
const SoundImage kSound{kImage, sizeof kImage};  // no length: a waited one holds nothing
const SoundImage kBrrr = FindSound(IDR_SOUND_BRRR);  // 0.25 s

template <class Condition>
bool Eventually(Condition condition)
{
    for (const auto end = Clock::now() + 3s; Clock::now() < end; std::this_thread::sleep_for(5ms))
        if (condition())
            return true;
    return condition();
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A player that takes this long to be made.
DeferredCueBackend::Factory MadeAfter(Devices& d, std::chrono::milliseconds delay)
{
    return [&d, delay]() -> std::unique_ptr<CueBackend> {
        std::this_thread::sleep_for(delay);
        return std::make_unique<FakePlayer>(d);
    };
}

} // namespace

TEST(DeferredCueBackend, ACueThatComesWhileThePlayerIsMadeIsHeardOnceItIsReadyIfThatIsSoon)
{
    Devices d;
    DeferredCueBackend cues(MadeAfter(d, 100ms));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(d.made, 0);  // nothing loaded before the first paint asks
    cues.Start();
    auto start = Clock::now();
    cues.Play(IDR_SOUND_BRRR, kSound, false);  // never holds up the game
    EXPECT_LT(SecondsSince(start), 0.05);
    ASSERT_TRUE(Eventually([&] { return d.Played().size() == 1; }));
    EXPECT_FALSE(d.Played()[0].wait);

    // A waited cue is held at most its own length for the player, and then heard whole.
    Devices waited;
    DeferredCueBackend soon(MadeAfter(waited, 100ms));
    start = Clock::now();
    soon.Play(IDR_SOUND_BRRR, kBrrr, true);
    EXPECT_LT(SecondsSince(start), 0.25);
    ASSERT_EQ(waited.Played().size(), 1u);
    EXPECT_TRUE(waited.Played()[0].wait);

    // Later than that, neither is heard; the waited one held the game for its length.
    Devices late;
    DeferredCueBackend slow(MadeAfter(late, 600ms));
    slow.Play(IDR_SOUND_BRRR, kSound, false);
    start = Clock::now();
    slow.Play(IDR_SOUND_BRRR, kBrrr, true);
    EXPECT_NEAR(SecondsSince(start), 0.25, 0.1);
    // Once the program is ending, nothing holds the game.
    std::thread ending([&slow] {
        std::this_thread::sleep_for(50ms);
        slow.EndHolds();
    });
    start = Clock::now();
    slow.Play(IDR_SOUND_GONG, FindSound(IDR_SOUND_GONG), true);
    EXPECT_LT(SecondsSince(start), 0.2);
    ending.join();
    ASSERT_TRUE(slow.IsReady(3s));
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(late.Played().empty());
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
    failing.Play(IDR_SOUND_GONG, kBrrr, true);  // held for its own length only
    EXPECT_LT(SecondsSince(start), 0.4);
    EXPECT_FALSE(failing.IsReady());
    ASSERT_TRUE(Eventually([&] { return tries >= 1; }));
    std::this_thread::sleep_for(100ms);
    const int tried = tries;
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
    const auto played = d.Played();  // the buzz too, if the new player came soon enough
    ASSERT_GE(played.size(), 1u);
    ASSERT_LE(played.size(), 2u);
    EXPECT_EQ(played.back().nID, IDR_SOUND_TAKE);
    EXPECT_GE(played.back().player, 3);
    EXPECT_LE(d.alive, 1);
}

TEST(DeferredCueBackend, NeitherAHangingSearchNorAHangingCloseHoldsUpACueOrTheEnd)
{
    std::atomic<bool> release{false};
    const auto hang = [&release] {
        while (!release)
            std::this_thread::sleep_for(5ms);
    };
    for (const bool inClose : {false, true}) {
        Devices d;
        release = false;
        auto cues = std::make_unique<DeferredCueBackend>([&]() -> std::unique_ptr<CueBackend> {
            if (!inClose)
                hang();
            return std::make_unique<FakePlayer>(d);
        });
        if (inClose) {
            d.closing = hang;
            cues->Start();
            ASSERT_TRUE(cues->IsReady(3s));
            d.working = false;  // its server hangs: closing the device hangs too
        }
        const auto start = Clock::now();
        cues->Play(IDR_SOUND_GONG, kBrrr, true);
        EXPECT_NEAR(SecondsSince(start), 0.25, 0.1) << inClose;  // its own length
        const auto end = Clock::now();
        cues.reset();
        EXPECT_LT(SecondsSince(end), 0.3) << inClose;
        EXPECT_EQ(DeferredCueBackend::ThreadsLeftRunning(), 1);
        // The thread closes what it has on its own.
        release = true;
        EXPECT_TRUE(Eventually([&] { return d.made == 1 && d.alive == 0; }));
        EXPECT_TRUE(Eventually([] { return DeferredCueBackend::ThreadsLeftRunning() == 0; }));
        EXPECT_TRUE(d.Played().empty());
    }
}
