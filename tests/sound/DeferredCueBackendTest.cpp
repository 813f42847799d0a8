#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "sound/DeferredCueBackend.h"

using namespace vexadra;
using namespace std::chrono_literals;

namespace {

struct Played {
    int nID;
    bool wait;
};

class Recorder final : public CueBackend {
public:
    explicit Recorder(std::vector<Played>& played) : m_played(played) {}
    void Play(int nID, SoundImage, bool wait) override { m_played.push_back({nID, wait}); }

private:
    std::vector<Played>& m_played;
};

const unsigned char kImage[] = {1, 2, 3};
const SoundImage kSound{kImage, sizeof kImage};

} // namespace

TEST(DeferredCueBackend, MakesThePlayerWithoutHoldingUpTheCallerAndTheFirstCueWaitsForIt)
{
    std::vector<Played> played;
    std::atomic<bool> made{false};
    const auto start = std::chrono::steady_clock::now();
    DeferredCueBackend cues([&]() -> std::unique_ptr<CueBackend> {
        std::this_thread::sleep_for(150ms);
        made = true;
        return std::make_unique<Recorder>(played);
    });
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
    EXPECT_FALSE(made);

    cues.Play(IDR_SOUND_TAKE, kSound, true);
    cues.Play(IDR_SOUND_BRRR, kSound, false);
    EXPECT_TRUE(made);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].nID, IDR_SOUND_TAKE);
    EXPECT_TRUE(played[0].wait);
    EXPECT_EQ(played[1].nID, IDR_SOUND_BRRR);
    EXPECT_FALSE(played[1].wait);
}

TEST(DeferredCueBackend, APlayerThatCannotBeMadeLeavesTheCuesSilent)
{
    DeferredCueBackend failing([]() -> std::unique_ptr<CueBackend> { throw std::runtime_error("no audio"); });
    failing.Play(IDR_SOUND_GONG, kSound, true);
    EXPECT_EQ(failing.Ready(), nullptr);

    DeferredCueBackend none([] { return std::unique_ptr<CueBackend>(); });
    none.Play(IDR_SOUND_GONG, kSound, false);
    EXPECT_EQ(none.Ready(), nullptr);
}

TEST(DeferredCueBackend, EndingBeforeAnyCueWaitsForThePlayerAndDestroysIt)
{
    std::atomic<int> alive{0};
    class Counted final : public CueBackend {
    public:
        explicit Counted(std::atomic<int>& alive) : m_alive(alive) { ++m_alive; }
        ~Counted() override { --m_alive; }
        void Play(int, SoundImage, bool) override {}

    private:
        std::atomic<int>& m_alive;
    };
    {
        DeferredCueBackend cues([&]() -> std::unique_ptr<CueBackend> {
            std::this_thread::sleep_for(50ms);
            return std::make_unique<Counted>(alive);
        });
    }
    EXPECT_EQ(alive, 0);
}
