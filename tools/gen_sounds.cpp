// Synthesizes the game's three sound cues and writes them as complete RIFF WAVE
// images: a C++ source that embeds them in the program, and the .wav files beside
// it so they can be listened to.
//
//   gen_sounds <SoundImages.cpp> <directory for the .wav files>
//
// Everything is computed from fixed parameters (the noise comes from a seeded
// generator), so a rebuild yields the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;  // mono, nominally within [-1, 1]

struct Partial {
    double ratio;      // frequency relative to the note's fundamental
    double amplitude;
    double decay;      // time constant of the exponential decay, in seconds
    double swell = 0.0;  // time constant of a rise after the strike; 0 sounds at once
};

// Tiny linear congruential generator: the same noise on every build machine.
class Noise {
public:
    double Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t m_state = 0x5EED1234u;
};

double Seconds(std::size_t i, int rate) { return static_cast<double>(i) / rate; }

// A raised-cosine ramp from 0 to 1 over the given time; avoids clicks at the edges.
double Ramp(double t, double length)
{
    if (t <= 0.0)
        return 0.0;
    if (t >= length)
        return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

// Fades both ends so the sound starts and stops without a click.
void ShapeEdges(Samples& s, int rate, double attack, double release)
{
    const double total = Seconds(s.size(), rate);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(i, rate);
        s[i] *= Ramp(t, attack) * Ramp(total - t - 1.0 / rate, release);
    }
}

// Scales to a fixed peak so every cue uses the range without touching full scale.
void Normalize(Samples& s, double peak)
{
    double max = 0.0;
    for (double v : s)
        max = std::max(max, std::abs(v));
    if (max > 0.0)
        for (double& v : s)
            v *= peak / max;
}

// Adds one struck note: decaying partials, each skipped once it would alias.
void AddStrike(Samples& s, int rate, double start, double fundamental, const std::vector<Partial>& partials,
               double gain, double detune = 0.0)
{
    const double nyquistMargin = 0.45 * rate;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(i, rate) - start;
        if (t < 0.0)
            continue;
        double v = 0.0;
        for (const Partial& p : partials) {
            const double f = fundamental * p.ratio;
            if (f >= nyquistMargin)
                continue;
            double tone = std::sin(kTwoPi * f * t);
            // A slightly mistuned twin gives the slow beating of a real metal body.
            if (detune != 0.0)
                tone = 0.5 * (tone + std::sin(kTwoPi * (f + detune * p.ratio) * t));
            const double rise = p.swell > 0.0 ? 1.0 - std::exp(-t / p.swell) : 1.0;
            v += p.amplitude * rise * std::exp(-t / p.decay) * tone;
        }
        s[i] += gain * v;
    }
}

// Rejection: a rasping low buzz, a band-limited sawtooth with a rolling flutter. Small
// speakers drop its 84 Hz body, so a nasal resonance around 1 kHz lifts the harmonics
// they can play, and the buzz stays audible there.
Samples SynthBrrr(int rate, std::size_t count)
{
    constexpr double kPitch = 84.0;
    constexpr double kFlutter = kPitch / 3.0;  // the "rrr": a roll locked to the buzz
    constexpr double kResonance = 1000.0;
    constexpr double kResonanceWidth = 400.0;
    const int harmonics = static_cast<int>(5000.0 / kPitch);
    std::vector<double> amplitude(static_cast<std::size_t>(harmonics) + 1);
    for (int k = 1; k <= harmonics; ++k) {
        const double offset = (kPitch * k - kResonance) / kResonanceWidth;
        amplitude[static_cast<std::size_t>(k)] = (1.0 + 3.0 * std::exp(-offset * offset)) / std::pow(k, 0.9);
    }
    Samples s(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = Seconds(i, rate);
        double saw = 0.0;
        for (int k = 1; k <= harmonics; ++k)
            saw += amplitude[static_cast<std::size_t>(k)] * std::sin(kTwoPi * kPitch * k * t);
        const double roll = 1.0 - 0.35 * (0.5 + 0.5 * std::cos(kTwoPi * kFlutter * t));
        s[i] = saw * roll;
    }
    ShapeEdges(s, rate, 0.006, 0.035);
    Normalize(s, 0.71);  // as loud as the other cues where small speakers play
    return s;
}

// Capture: two quick bright bell strokes, a fourth apart.
Samples SynthTake(int rate, std::size_t count)
{
    const std::vector<Partial> bell = {
        {1.00, 1.00, 0.160}, {2.00, 0.30, 0.090}, {2.76, 0.28, 0.070}, {4.07, 0.12, 0.045}, {5.40, 0.07, 0.030},
    };
    Samples s(count);
    AddStrike(s, rate, 0.000, 1568.0, bell, 0.8);  // G6
    AddStrike(s, rate, 0.075, 2093.0, bell, 1.0);  // C7
    ShapeEdges(s, rate, 0.002, 0.040);
    Normalize(s, 0.80);
    return s;
}

// Round end: a low gong whose inharmonic partials die away one after another,
// struck by a mallet (a short burst of filtered noise). The low modes under 300 Hz
// hum on to the end; the bright upper ones, which small speakers can play, swell
// in just after the strike and fade from the top down.
Samples SynthGong(int rate, std::size_t count)
{
    const std::vector<Partial> gong = {
        {1.00, 0.80, 1.800}, {1.49, 0.45, 1.400}, {2.13, 0.35, 1.100}, {2.66, 0.30, 0.900},
        {3.22, 4.40, 0.240, 0.1}, {4.17, 4.00, 0.220, 0.1}, {5.43, 3.36, 0.200, 0.1}, {6.79, 2.88, 0.180, 0.1},
        {8.41, 2.40, 0.152, 0.1}, {10.6, 2.00, 0.120, 0.1}, {13.2, 1.60, 0.096, 0.1}, {16.9, 1.20, 0.072, 0.1},
        {21.3, 0.80, 0.048, 0.1}, {27.0, 0.56, 0.032, 0.1},
    };
    Samples s(count);
    AddStrike(s, rate, 0.0, 98.0, gong, 1.0, 0.35);
    Noise noise;
    double lowpassed = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = Seconds(i, rate);
        lowpassed += 0.25 * (noise.Next() - lowpassed);
        s[i] += 0.9 * lowpassed * std::exp(-t / 0.020);
    }
    // A hard-struck plate saturates: the soft limit adds clangour and lifts the ring
    // against the peak of the strike, so the gong holds its own beside the short cues.
    Normalize(s, 1.0);
    for (double& v : s)
        v = std::tanh(1.6 * v);
    ShapeEdges(s, rate, 0.004, 0.300);
    Normalize(s, 0.88);
    return s;
}

// ---- RIFF WAVE -----------------------------------------------------------------

class Bytes {
public:
    void Tag(const char (&tag)[5])
    {
        for (int i = 0; i < 4; ++i)
            m_data.push_back(static_cast<unsigned char>(tag[i]));
    }
    void U16(unsigned v) { Little(v, 2); }
    void U32(std::size_t v) { Little(v, 4); }
    void Append(const std::vector<unsigned char>& b)
    {
        // Reserving first also spares GCC 12 at -O3 a false buffer-overflow warning on
        // the insert after the tag's push_back.
        m_data.reserve(m_data.size() + b.size());
        m_data.insert(m_data.end(), b.begin(), b.end());
    }
    void PadEven()
    {
        if (m_data.size() % 2 != 0)
            m_data.push_back(0);
    }
    const std::vector<unsigned char>& Data() const { return m_data; }

private:
    void Little(std::size_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            m_data.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
    }
    std::vector<unsigned char> m_data;
};

// A chunk: id, length of its body, the body, and a pad byte when the length is odd.
Bytes Chunk(const char (&id)[5], const std::vector<unsigned char>& body)
{
    Bytes c;
    c.Tag(id);
    c.U32(body.size());
    c.Append(body);
    c.PadEven();
    return c;
}

std::vector<unsigned char> ZString(const std::string& text)
{
    std::vector<unsigned char> v(text.begin(), text.end());
    v.push_back(0);
    return v;
}

struct Cue {
    const char* idName;    // the identifier the program looks the cue up by
    const char* symbol;    // the array in the generated source
    const char* fileName;
    const char* title;     // INAM
    const char* comment;   // ICMT
    int rate;
    int bits;
    std::size_t dataBytes;
    std::function<Samples(int, std::size_t)> synth;
};

std::vector<unsigned char> Quantize(const Samples& s, int bits)
{
    std::vector<unsigned char> out;
    for (double v : s) {
        v = std::clamp(v, -1.0, 1.0);
        if (bits == 8) {
            out.push_back(static_cast<unsigned char>(128 + std::lround(v * 127.0)));
        } else {
            const auto q = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0)));
            out.push_back(static_cast<unsigned char>(q & 0xFF));
            out.push_back(static_cast<unsigned char>(q >> 8));
        }
    }
    return out;
}

std::vector<unsigned char> WaveImage(const Cue& cue)
{
    constexpr unsigned kChannels = 1;
    const unsigned blockAlign = kChannels * static_cast<unsigned>(cue.bits) / 8;
    const std::size_t frames = cue.dataBytes / blockAlign;

    Bytes fmt;
    fmt.U16(1);  // PCM
    fmt.U16(kChannels);
    fmt.U32(static_cast<std::size_t>(cue.rate));
    fmt.U32(static_cast<std::size_t>(cue.rate) * blockAlign);
    fmt.U16(blockAlign);
    fmt.U16(static_cast<unsigned>(cue.bits));

    Bytes info;
    info.Tag("INFO");
    info.Append(Chunk("INAM", ZString(cue.title)).Data());
    info.Append(Chunk("ICMT", ZString(cue.comment)).Data());
    info.Append(Chunk("ISFT", ZString("Vexadra gen_sounds")).Data());

    std::vector<unsigned char> data = Quantize(cue.synth(cue.rate, frames), cue.bits);
    // A length that is not a whole number of frames keeps its last byte at silence.
    data.resize(cue.dataBytes, cue.bits == 8 ? 128 : 0);

    Bytes body;
    body.Tag("WAVE");
    body.Append(Chunk("fmt ", fmt.Data()).Data());
    body.Append(Chunk("LIST", info.Data()).Data());
    body.Append(Chunk("data", data).Data());

    Bytes riff;
    riff.Tag("RIFF");
    riff.U32(body.Data().size());
    riff.Append(body.Data());
    return riff.Data();
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "gen_sounds: cannot write " << path << '\n';
        return false;
    }
    return true;
}

void EmitArray(std::ostringstream& src, const char* symbol, const std::vector<unsigned char>& image)
{
    src << "const unsigned char " << symbol << "[" << image.size() << "] = {";
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i % 24 == 0)
            src << "\n   ";
        src << ' ' << static_cast<unsigned>(image[i]) << ',';
    }
    src << "\n};\n\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: gen_sounds <SoundImages.cpp> <wav directory>\n";
        return 2;
    }
    const std::string sourcePath = argv[1];
    const std::string wavDir = argv[2];

    const std::vector<Cue> cues = {
        {"IDR_SOUND_BRRR", "kBrrr", "brrr.wav", "Vexadra rejection", "A low rasping buzz for a move that breaks a rule",
         22050, 16, 11026, SynthBrrr},
        {"IDR_SOUND_TAKE", "kTake", "take.wav", "Vexadra capture", "A bright two-stroke chime for a capture", 22050, 8,
         13504, SynthTake},
        {"IDR_SOUND_GONG", "kGong", "gong.wav", "Vexadra round gong", "A low gong that ends a round", 44100, 16, 167124,
         SynthGong},
    };

    std::ostringstream src;
    src << "// Generated at build time by tools/gen_sounds.cpp; do not edit.\n"
           "#include \"sound/Cues.h\"\n\n"
           "namespace vexadra {\n\nnamespace {\n\n";
    for (const Cue& cue : cues) {
        const std::vector<unsigned char> image = WaveImage(cue);
        std::string bytes(image.begin(), image.end());
        if (!WriteFile(wavDir + "/" + cue.fileName, bytes))
            return 1;
        EmitArray(src, cue.symbol, image);
    }
    src << "} // namespace\n\nSoundImage FindSound(int nID)\n{\n    switch (nID) {\n";
    for (const Cue& cue : cues)
        src << "    case " << cue.idName << ":\n        return {" << cue.symbol << ", sizeof " << cue.symbol << "};\n";
    src << "    default:\n        return {};\n    }\n}\n\n} // namespace vexadra\n";

    return WriteFile(sourcePath, src.str()) ? 0 : 1;
}
