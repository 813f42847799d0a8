#include "sound/Cues.h"
#include "sound/CueLength.h"

#include "WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace vexadra {
namespace {

using test::ParseWav;
using test::WavFile;

WavFile Parsed(int nID)
{
    const SoundImage image = FindSound(nID);
    const auto wav = ParseWav({image.data, image.size});
    if (!wav)
        ADD_FAILURE() << "sound " << nID << " is not a well-formed RIFF WAVE image";
    return wav.value_or(WavFile{});
}

double Rms(const std::vector<double>& s, double fromFraction, double toFraction)
{
    const auto from = static_cast<std::size_t>(fromFraction * s.size());
    const auto to = static_cast<std::size_t>(toFraction * s.size());
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += s[i] * s[i];
    return to > from ? std::sqrt(sum / (to - from)) : 0.0;
}

// The strongest normalized autocorrelation over the periods of 40 to 200 Hz.
double LowPitchPeriodicity(const std::vector<double>& s, unsigned rate)
{
    double best = 0.0;
    for (std::size_t lag = rate / 200; lag <= rate / 40; ++lag) {
        double cross = 0.0, a = 0.0, b = 0.0;
        for (std::size_t i = 0; i + lag < s.size(); ++i) {
            cross += s[i] * s[i + lag];
            a += s[i] * s[i];
            b += s[i + lag] * s[i + lag];
        }
        best = std::max(best, cross / std::sqrt(a * b));
    }
    return best;
}

// A two-pole high-pass (Butterworth, like sox's "highpass"): what small speakers can play.
std::vector<double> HighPassed(const std::vector<double>& s, unsigned rate, double cutoff)
{
    const double w0 = 2.0 * std::numbers::pi * cutoff / rate;
    const double alpha = std::sin(w0) / std::sqrt(2.0);
    const double a0 = 1.0 + alpha;
    const double b0 = (1.0 + std::cos(w0)) / 2.0 / a0, b1 = -2.0 * b0;
    const double a1 = -2.0 * std::cos(w0) / a0, a2 = (1.0 - alpha) / a0;
    std::vector<double> out;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (double x : s) {
        const double y = b0 * (x + x2) + b1 * x1 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        out.push_back(y);
    }
    return out;
}

// Zero crossings per second, a rough measure of the dominant pitch.
double CrossingRate(const std::vector<double>& s, unsigned rate)
{
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1] < 0.0) != (s[i] < 0.0);
    return crossings * static_cast<double>(rate) / static_cast<double>(s.size());
}

struct Expected {
    int nID;
    unsigned rate;
    unsigned bits;
    std::size_t dataBytes;
};

void PrintTo(const Expected& e, std::ostream* os) { *os << "sound " << e.nID; }

class CueImage : public testing::TestWithParam<Expected> {};

TEST_P(CueImage, IsAWellFormedPcmImageOfTheStatedFormatAndLength)
{
    const Expected e = GetParam();
    const WavFile wav = Parsed(e.nID);
    EXPECT_EQ(wav.formatTag, 1u);
    EXPECT_EQ(wav.channels, 1u);
    EXPECT_EQ(wav.rate, e.rate);
    EXPECT_EQ(wav.bits, e.bits);
    EXPECT_EQ(wav.blockAlign, e.bits / 8);
    EXPECT_EQ(wav.byteRate, e.rate * e.bits / 8);
    EXPECT_EQ(wav.data.size(), e.dataBytes);
    EXPECT_NE(std::find(wav.chunkIds.begin(), wav.chunkIds.end(), "LIST"), wav.chunkIds.end());
    EXPECT_FALSE(wav.infoName.empty());
}

TEST_P(CueImage, IsAudibleWithoutClippingOrClicks)
{
    const Expected e = GetParam();
    const std::vector<double> s = Parsed(e.nID).Samples();
    ASSERT_FALSE(s.empty());
    double peak = 0.0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    EXPECT_GT(Rms(s, 0.0, 0.25), 0.1);
    EXPECT_LE(peak, std::pow(10.0, -1.0 / 20.0));  // 1 dB of headroom
    // It starts and stops at rest rather than with a step.
    EXPECT_LT(std::abs(s.front()), 0.02);
    EXPECT_LT(std::abs(s.back()), 0.02);
}

INSTANTIATE_TEST_SUITE_P(Sounds, CueImage,
                         testing::Values(Expected{IDR_SOUND_BRRR, 22050, 16, 11026},
                                         Expected{IDR_SOUND_TAKE, 22050, 8, 13504},
                                         Expected{IDR_SOUND_GONG, 44100, 16, 167124}),
                         [](const auto& info) { return "Sound" + std::to_string(info.param.nID); });

TEST(CueCharacter, TheBuzzIsALowSteadyPitch)
{
    const WavFile wav = Parsed(IDR_SOUND_BRRR);
    const std::vector<double> s = wav.Samples();
    EXPECT_GT(LowPitchPeriodicity(s, wav.rate), 0.7);
    // It holds its strength to near the end instead of dying away.
    EXPECT_GT(Rms(s, 0.6, 0.8), 0.5 * Rms(s, 0.1, 0.3));
}

TEST(CueCharacter, TheChimeIsHighAndShort)
{
    const WavFile wav = Parsed(IDR_SOUND_TAKE);
    const std::vector<double> s = wav.Samples();
    EXPECT_GT(CrossingRate(s, wav.rate), 1000.0);
    EXPECT_LT(Rms(s, 0.8, 1.0), 0.25 * Rms(s, 0.0, 0.2));
}

TEST(CueCharacter, TheGongStartsLoudAndFadesToNearSilence)
{
    const WavFile wav = Parsed(IDR_SOUND_GONG);
    const std::vector<double> s = wav.Samples();
    EXPECT_LT(CrossingRate(s, wav.rate), 600.0);
    const double start = Rms(s, 0.0, 0.15);
    EXPECT_GT(start, 0.15);
    EXPECT_GT(Rms(s, 0.25, 0.4), 0.1 * start);  // a long decay, not a thud
    EXPECT_LT(Rms(s, 0.97, 1.0), 0.02 * start);
}

// Laptop and phone speakers play little below 300 Hz: there each cue must keep a good
// part of its energy, and none may be much quieter than the others.
TEST(CueBalance, EachCarriesAboveThreeHundredHertzAsLoudAsTheOthers)
{
    std::vector<double> levels;
    for (int nID : {IDR_SOUND_BRRR, IDR_SOUND_TAKE, IDR_SOUND_GONG}) {
        const WavFile wav = Parsed(nID);
        const std::vector<double> s = wav.Samples();
        const double full = Rms(s, 0.0, 1.0);
        const double high = Rms(HighPassed(s, wav.rate, 300.0), 0.0, 1.0);
        EXPECT_GE(high * high, 0.35 * full * full) << "sound " << nID;
        levels.push_back(20.0 * std::log10(high));
    }
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LE(*loudest - *quietest, 3.0) << "dB between the loudest and the quietest cue above 300 Hz";
}

TEST(FindSound, HasNothingForOtherNumbers)
{
    for (int nID : {0, 100, 104, -IDR_SOUND_BRRR})
        EXPECT_FALSE(FindSound(nID)) << nID;
}

struct RecordingBackend : CueBackend {
    struct Call {
        int nID;
        const unsigned char* data;
        bool wait;
    };
    std::vector<Call> calls;
    void Play(int nID, SoundImage image, bool wait) override { calls.push_back({nID, image.data, wait}); }
};

class CueDispatch : public testing::Test {
protected:
    ~CueDispatch() override
    {
        SetCueBackend(nullptr);
        SetSoundOn(true);
        SetSilentHold(nullptr);
    }
    RecordingBackend backend;
};

TEST_F(CueDispatch, HandsTheEmbeddedImageToTheBackendWithTheWaitFlag)
{
    SetCueBackend(&backend);
    PlayCue(IDR_SOUND_BRRR);
    PlayCueAndWait(IDR_SOUND_GONG);
    PlayCue(IDR_SOUND_TAKE);
    ASSERT_EQ(backend.calls.size(), 3u);
    EXPECT_EQ(backend.calls[0].nID, IDR_SOUND_BRRR);
    EXPECT_FALSE(backend.calls[0].wait);
    EXPECT_EQ(backend.calls[0].data, FindSound(IDR_SOUND_BRRR).data);
    EXPECT_EQ(backend.calls[1].nID, IDR_SOUND_GONG);
    EXPECT_TRUE(backend.calls[1].wait);
    EXPECT_EQ(backend.calls[2].nID, IDR_SOUND_TAKE);
}

TEST_F(CueDispatch, IsSilentWithoutBackendOrSound)
{
    SetCueBackend(&backend);
    PlayCue(999);
    PlayCueAndWait(999);
    EXPECT_TRUE(backend.calls.empty());
    SetCueBackend(nullptr);
    PlayCue(IDR_SOUND_BRRR);
    PlayCueAndWait(IDR_SOUND_GONG);
    EXPECT_TRUE(backend.calls.empty());
}

TEST_F(CueDispatch, SoundOffPlaysNothingButAWaitingCueStillHoldsForItsLength)
{
    SetCueBackend(&backend);
    std::vector<std::chrono::milliseconds> holds;
    SetSilentHold([&holds](std::chrono::milliseconds length) { holds.push_back(length); });
    SetSoundOn(false);
    PlayCue(IDR_SOUND_BRRR);
    PlayCueAndWait(IDR_SOUND_TAKE);
    PlayCueAndWait(IDR_SOUND_GONG);
    EXPECT_TRUE(backend.calls.empty());
    ASSERT_EQ(holds.size(), 2u);
    for (const auto& [hold, nID] : {std::pair{holds[0], IDR_SOUND_TAKE}, std::pair{holds[1], IDR_SOUND_GONG}}) {
        const WavFile wav = Parsed(nID);
        EXPECT_EQ(hold.count(), static_cast<long>(wav.data.size() * 1000 / wav.byteRate)) << nID;
    }
    SetSoundOn(true);
    PlayCue(IDR_SOUND_BRRR);
    EXPECT_EQ(backend.calls.size(), 1u);
}

TEST(CueLength, IsZeroForWhatIsNotAWholeWaveImage)
{
    const SoundImage gong = FindSound(IDR_SOUND_GONG);
    EXPECT_GT(CueLength(gong).count(), 1500);
    // Cut inside the header, and with a format chunk that names no byte rate.
    EXPECT_EQ(CueLength(SoundImage{gong.data, 20}).count(), 0);
    std::vector<unsigned char> noRate(gong.data, gong.data + gong.size);
    std::fill(noRate.begin() + 28, noRate.begin() + 32, 0);
    EXPECT_EQ(CueLength(SoundImage{noRate.data(), noRate.size()}).count(), 0);
    const unsigned char text[] = "RIFF....WAVX";
    EXPECT_EQ(CueLength(SoundImage{text, sizeof text}).count(), 0);
}

} // namespace
} // namespace vexadra
