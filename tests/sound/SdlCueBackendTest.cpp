// Runs the SDL backend against SDL's disk driver, which writes everything the
// device plays to a file in real time: what lands there is what would be heard.

#include "sound/SdlCueBackend.h"

#include "WavFile.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vexadra {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Where needle occurs in haystack, or npos.
std::size_t Find(const Bytes& haystack, const Bytes& needle)
{
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
    return it == haystack.end() ? std::string::npos : static_cast<std::size_t>(it - haystack.begin());
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t to)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(to));
}

class DiskDevice : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_file = std::filesystem::temp_directory_path()
                 / ("vexadra-cues-" + std::to_string(getpid()) + "-" + info->name() + ".raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY");  // the driver's own pace: real time
        m_backend = std::make_unique<SdlCueBackend>();
        ASSERT_TRUE(m_backend->IsOpen());
        ASSERT_TRUE(m_backend->Working());
        // The disk driver takes the format asked for; the checks below read it as such.
        ASSERT_EQ(m_backend->DeviceRate(), 44100);
        ASSERT_EQ(m_backend->DeviceChannels(), 1);
        ASSERT_EQ(m_backend->DeviceFormat(), AUDIO_S16SYS);
        SetCueBackend(m_backend.get());
    }

    void TearDown() override
    {
        SetCueBackend(nullptr);
        m_backend.reset();
        std::filesystem::remove(m_file);
    }

    Bytes Fed(int nID) const
    {
        const auto s = m_backend->DeviceSamples(nID);
        return Bytes(s.begin(), s.end());
    }

    // Everything the device played, once it is closed.
    Bytes Recorded()
    {
        m_backend->Close();
        std::ifstream in(m_file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path m_file;
    std::unique_ptr<SdlCueBackend> m_backend;
};

TEST_F(DiskDevice, PlaysTheCueConvertedFromItsImage)
{
    const Bytes brrr = Fed(IDR_SOUND_BRRR);
    // 22050 Hz resampled to 44100: twice the frames, and every other one follows the image.
    const SoundImage image = FindSound(IDR_SOUND_BRRR);
    const std::vector<double> source = test::ParseWav({image.data, image.size})->Samples();
    ASSERT_NEAR(static_cast<double>(brrr.size()) / 2, 2.0 * source.size(), 8.0);
    double cross = 0.0, a = 0.0, b = 0.0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const double fed = static_cast<std::int16_t>(brrr[4 * i] | (brrr[4 * i + 1] << 8)) / 32768.0;
        cross += fed * source[i];
        a += fed * fed;
        b += source[i] * source[i];
    }
    EXPECT_GT(cross / std::sqrt(a * b), 0.95);
    EXPECT_NEAR(std::sqrt(a / b), 1.0, 0.1);

    PlayCue(IDR_SOUND_BRRR);
    std::this_thread::sleep_for(450ms);
    const Bytes played = Recorded();
    const std::size_t at = Find(played, brrr);
    ASSERT_NE(at, std::string::npos);
    // Nothing else was heard: silence before and after.
    EXPECT_TRUE(std::all_of(played.begin(), played.end() - static_cast<std::ptrdiff_t>(played.size() - at),
                            [](std::uint8_t v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(played.begin() + static_cast<std::ptrdiff_t>(at + brrr.size()), played.end(),
                            [](std::uint8_t v) { return v == 0; }));
}

TEST_F(DiskDevice, ANewCueCutsOffTheOneStillPlaying)
{
    const Bytes gong = Fed(IDR_SOUND_GONG);
    const Bytes brrr = Fed(IDR_SOUND_BRRR);
    PlayCue(IDR_SOUND_GONG);
    std::this_thread::sleep_for(300ms);
    PlayCue(IDR_SOUND_BRRR);
    std::this_thread::sleep_for(100ms);
    PlayCue(IDR_SOUND_BRRR);  // a second rejection starts it again from the beginning
    std::this_thread::sleep_for(400ms);
    const Bytes played = Recorded();

    const std::size_t gongAt = Find(played, Slice(gong, 0, 4410));
    const std::size_t secondBrrrAt = Find(played, brrr);
    ASSERT_NE(gongAt, std::string::npos);
    ASSERT_NE(secondBrrrAt, std::string::npos);
    // Between the gong's start and the full buzz: part of the gong, then part of a buzz.
    const std::size_t firstBrrrAt = Find(Slice(played, gongAt, secondBrrrAt), Slice(brrr, 0, 2000));
    ASSERT_NE(firstBrrrAt, std::string::npos);
    EXPECT_EQ(Slice(played, gongAt, gongAt + firstBrrrAt), Slice(gong, 0, firstBrrrAt));
    EXPECT_LT(firstBrrrAt, gong.size() / 2);
    EXPECT_LT(secondBrrrAt - gongAt - firstBrrrAt, brrr.size());
    EXPECT_EQ(Find(played, Slice(gong, gong.size() - 44100, gong.size())), std::string::npos);
    EXPECT_TRUE(std::all_of(played.begin() + static_cast<std::ptrdiff_t>(secondBrrrAt + brrr.size()), played.end(),
                            [](std::uint8_t v) { return v == 0; }));
}

TEST_F(DiskDevice, WaitingReturnsOnlyWhenTheCueHasEnded)
{
    int idleCalls = 0;
    m_backend->SetWaitIdle([&] { return ++idleCalls > 0; });
    auto start = Clock::now();
    PlayCueAndWait(IDR_SOUND_TAKE);
    const double waited = SecondsSince(start);
    EXPECT_FALSE(m_backend->IsPlaying());
    EXPECT_GT(waited, 0.5);  // 0.61 s, less the device buffer taken ahead
    EXPECT_LT(waited, 3.0);
    EXPECT_GT(idleCalls, 10);

    // A hook that says the program is ending ends the wait at once.
    m_backend->SetWaitIdle([] { return false; });
    start = Clock::now();
    PlayCueAndWait(IDR_SOUND_GONG);
    EXPECT_LT(SecondsSince(start), 0.2);
    EXPECT_TRUE(m_backend->Working());

    // Without a hook it simply sleeps.
    m_backend->SetWaitIdle({});
    start = Clock::now();
    PlayCueAndWait(IDR_SOUND_BRRR);
    EXPECT_FALSE(m_backend->IsPlaying());
    EXPECT_GT(SecondsSince(start), 0.18);

    const Bytes take = Fed(IDR_SOUND_TAKE);
    const Bytes brrr = Fed(IDR_SOUND_BRRR);
    const Bytes played = Recorded();
    const std::size_t takeAt = Find(played, take);
    ASSERT_NE(takeAt, std::string::npos);
    EXPECT_GT(Find(played, brrr), takeAt);
}

TEST_F(DiskDevice, AnUndecodableImageIsSilentAndDoesNotWait)
{
    static const unsigned char junk[] = "RIFF\x04\0\0\0WAVEnot a sound at all";
    const auto start = Clock::now();
    m_backend->Play(999, {junk, sizeof junk}, true);
    EXPECT_LT(SecondsSince(start), 0.2);
    EXPECT_TRUE(m_backend->DeviceSamples(999).empty());
    EXPECT_FALSE(m_backend->IsPlaying());
    std::this_thread::sleep_for(100ms);
    const Bytes played = Recorded();
    EXPECT_TRUE(std::all_of(played.begin(), played.end(), [](std::uint8_t v) { return v == 0; }));
}

TEST(StalledAudioDevice, IsGivenUpAfterOneWaitedCueThatStillHoldsForItsLength)
{
    // The disk driver asks for sound only every few seconds: a server that hangs.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "2500", 1);
    SdlCueBackend stalled;
    unsetenv("SDL_DISKAUDIODELAY");
    ASSERT_TRUE(stalled.Working());
    std::this_thread::sleep_for(100ms);  // past the device's first request
    const auto start = Clock::now();
    stalled.Play(IDR_SOUND_GONG, FindSound(IDR_SOUND_GONG), true);
    EXPECT_NEAR(SecondsSince(start), 1.89, 0.3);
    EXPECT_FALSE(stalled.Working());
}

TEST(NoAudioDevice, PlaysNothingAndReturnsAtOnce)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    // No device, and a machine without the sound library at all.
    SdlCueBackend noDevice;
    SdlCueBackend noLibrary("libSDL2-not-installed.so.0");
    for (SdlCueBackend* backend : {&noDevice, &noLibrary}) {
        EXPECT_FALSE(backend->IsOpen());
        EXPECT_FALSE(backend->Working());
        int idleCalls = 0;
        backend->SetWaitIdle([&] { return ++idleCalls > 0; });
        SetCueBackend(backend);
        const auto start = Clock::now();
        PlayCue(IDR_SOUND_BRRR);
        PlayCueAndWait(IDR_SOUND_GONG);
        EXPECT_LT(SecondsSince(start), 0.2);
        EXPECT_EQ(idleCalls, 0);
        EXPECT_FALSE(backend->IsPlaying());
        SetCueBackend(nullptr);
    }
}

} // namespace
} // namespace vexadra
