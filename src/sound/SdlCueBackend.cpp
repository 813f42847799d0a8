#include "sound/SdlCueBackend.h"

#include "sound/SdlAudioLibrary.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>

namespace vexadra {

namespace {

constexpr int kCueIds[] = {IDR_SOUND_BRRR, IDR_SOUND_TAKE, IDR_SOUND_GONG};
constexpr Uint32 kIdleIntervalMs = 5;

// Holds the device lock for one scope; the callback runs under the same lock.
class DeviceLock {
public:
    DeviceLock(const SdlAudioApi& sdl, SDL_AudioDeviceID device) : m_sdl(sdl), m_device(device)
    {
        m_sdl.LockAudioDevice(m_device);
    }
    ~DeviceLock() { m_sdl.UnlockAudioDevice(m_device); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    const SdlAudioApi& m_sdl;
    SDL_AudioDeviceID m_device;
};

} // namespace

SdlCueBackend::SdlCueBackend() : SdlCueBackend(kSdlLibrary) {}

SdlCueBackend::SdlCueBackend(const char* library) : m_sdl(LoadSdlAudio(library))
{
    if (m_sdl == nullptr)
        return;
    // The desktop's mixer lists the stream under the game's name, not "SDL Application".
    // SDL would otherwise turn SIGTERM and SIGINT into quit events that nobody reads, and
    // the game could no longer be ended from outside (a session logout, kill).
    m_sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_sdl->SetHint(SDL_HINT_APP_NAME, "Vexadra");
    m_sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vexadra");
    m_sdl->SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Game sounds");
    m_sdl->SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game");

    if (m_sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    m_subsystem = true;

    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    want.callback = &SdlCueBackend::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // Whatever the device prefers is fine: the cues are converted to it once, here.
    m_device = m_sdl->OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (m_device == 0) {
        Close();
        return;
    }
    m_deviceRate = have.freq;
    m_deviceChannels = have.channels;
    m_deviceFormat = have.format;
    m_silence = have.silence;

    for (int nID : kCueIds)
        Prepare(nID, FindSound(nID));
    m_sdl->PauseAudioDevice(m_device, 0);
}

SdlCueBackend::~SdlCueBackend()
{
    Close();
    // The library keeps an error text for each thread that called it, and frees it by
    // itself only for threads it started: the one that made or closed this player (the
    // sound thread) is not one of them.
    if (m_sdl != nullptr)
        m_sdl->TLSCleanup();
}

void SdlCueBackend::Close()
{
    if (m_device != 0) {
        m_sdl->CloseAudioDevice(m_device);  // joins the device thread
        m_device = 0;
    }
    m_playing = nullptr;
    m_position = 0;
    m_cues.clear();
    if (m_subsystem) {
        m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystem = false;
    }
}

void SdlCueBackend::SetWaitIdle(std::function<bool()> idle) { m_idle = std::move(idle); }

void SdlCueBackend::Play(int nID, SoundImage image, bool wait)
{
    if (m_device == 0)
        return;
    const Decoded& cue = Prepare(nID, image);
    std::uint64_t started = 0;
    {
        DeviceLock lock(*m_sdl, m_device);
        // An undecodable image still stops the sound before it, as a new cue would.
        m_playing = cue.samples.empty() ? nullptr : &cue.samples;
        m_position = 0;
        started = ++m_cue;
    }
    if (wait && !cue.samples.empty())
        WaitFor(started, cue.samples.size());
}

bool SdlCueBackend::Working() const
{
    return m_device != 0 && !m_stalled && m_sdl->GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING;
}

bool SdlCueBackend::IsPlaying() const
{
    if (m_device == 0)
        return false;
    DeviceLock lock(*m_sdl, m_device);
    return m_playing != nullptr;
}

std::span<const std::uint8_t> SdlCueBackend::DeviceSamples(int nID) const
{
    const auto it = m_cues.find(nID);
    if (it == m_cues.end())
        return {};
    return it->second.samples;
}

void SdlCueBackend::Callback(void* self, std::uint8_t* stream, int len)
{
    static_cast<SdlCueBackend*>(self)->Fill(stream, len);
}

void SdlCueBackend::Fill(std::uint8_t* stream, int len)
{
    const auto wanted = static_cast<std::size_t>(std::max(len, 0));
    std::size_t copied = 0;
    if (m_playing != nullptr) {
        copied = std::min(wanted, m_playing->size() - m_position);
        std::memcpy(stream, m_playing->data() + m_position, copied);
        m_position += copied;
        if (m_position >= m_playing->size())
            m_playing = nullptr;
    }
    std::memset(stream + copied, m_silence, wanted - copied);
}

const SdlCueBackend::Decoded& SdlCueBackend::Prepare(int nID, SoundImage image)
{
    const auto it = m_cues.find(nID);
    if (it != m_cues.end() && it->second.source == image.data)
        return it->second;

    Decoded fresh{image.data, Convert(image)};
    DeviceLock lock(*m_sdl, m_device);
    Decoded& slot = m_cues[nID];
    if (m_playing == &slot.samples)
        m_playing = nullptr;
    slot = std::move(fresh);
    return slot;
}

std::vector<std::uint8_t> SdlCueBackend::Convert(SoundImage image) const
{
    if (!image || image.size > static_cast<std::size_t>(INT_MAX))
        return {};
    SDL_RWops* rw = m_sdl->RWFromConstMem(image.data, static_cast<int>(image.size));
    if (rw == nullptr)
        return {};
    SDL_AudioSpec source{};
    Uint8* wav = nullptr;
    Uint32 wavLength = 0;
    if (m_sdl->LoadWAV_RW(rw, 1, &source, &wav, &wavLength) == nullptr)
        return {};

    const auto sourceFrameBytes = static_cast<std::size_t>(SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels);
    const auto deviceFrameBytes = static_cast<std::size_t>(SDL_AUDIO_BITSIZE(m_deviceFormat) / 8 * m_deviceChannels);
    std::vector<std::uint8_t> out;
    SDL_AudioStream* stream = m_sdl->NewAudioStream(source.format, source.channels, source.freq,
                                                 static_cast<SDL_AudioFormat>(m_deviceFormat),
                                                 static_cast<Uint8>(m_deviceChannels), m_deviceRate);
    if (stream != nullptr && sourceFrameBytes > 0 && source.freq > 0 && wavLength <= static_cast<Uint32>(INT_MAX / 2)) {
        // SDL 2.26's resampler keeps its last few hundred frames back even on a
        // flush; a tenth of a second of silence behind the sound pushes them out,
        // and the output is then cut to the sound's own length.
        const std::vector<std::uint8_t> tail(sourceFrameBytes * static_cast<std::size_t>(source.freq / 10 + 1),
                                             SDL_AUDIO_ISSIGNED(source.format) ? 0x00 : 0x80);
        const auto frames = static_cast<std::uint64_t>(wavLength / sourceFrameBytes);
        const auto wanted = frames * static_cast<std::uint64_t>(m_deviceRate) / static_cast<std::uint64_t>(source.freq);
        if (m_sdl->AudioStreamPut(stream, wav, static_cast<int>(wavLength)) == 0
            && m_sdl->AudioStreamPut(stream, tail.data(), static_cast<int>(tail.size())) == 0
            && m_sdl->AudioStreamFlush(stream) == 0) {
            const int available = std::max(m_sdl->AudioStreamAvailable(stream), 0);
            out.resize(std::min(static_cast<std::size_t>(available), static_cast<std::size_t>(wanted) * deviceFrameBytes));
            const int got = out.empty() ? 0 : m_sdl->AudioStreamGet(stream, out.data(), static_cast<int>(out.size()));
            out.resize(static_cast<std::size_t>(std::max(got, 0)));
        }
    }
    m_sdl->FreeAudioStream(stream);
    m_sdl->FreeWAV(wav);
    return out;
}

std::optional<std::size_t> SdlCueBackend::PositionOf(std::uint64_t cue) const
{
    DeviceLock lock(*m_sdl, m_device);
    if (m_cue != cue || m_playing == nullptr)
        return std::nullopt;
    return m_position;
}

void SdlCueBackend::WaitFor(std::uint64_t cue, std::size_t bytes)
{
    using Clock = std::chrono::steady_clock;
    // A device that has taken nothing for this long belongs to a server that hangs.
    constexpr auto kStallLimit = std::chrono::seconds(1);
    const double bytesPerSecond =
        static_cast<double>(m_deviceRate) * m_deviceChannels * (SDL_AUDIO_BITSIZE(m_deviceFormat) / 8);
    const auto length = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(bytes / bytesPerSecond));
    const auto start = Clock::now();
    // A device that stops taking samples must not hold the game forever.
    auto deadline = start + 2 * length + std::chrono::seconds(1);
    std::size_t lastPosition = 0;
    auto lastProgress = start;
    // The hook may close this backend or play another cue: both end the wait.
    while (m_device != 0 && m_sdl->GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING) {
        const std::optional<std::size_t> position = PositionOf(cue);
        const auto now = Clock::now();
        if (!position || now >= deadline)
            return;
        if (*position != lastPosition) {
            lastPosition = *position;
            lastProgress = now;
        } else if (now - lastProgress >= kStallLimit && !m_stalled) {
            // Lost for every later cue; this one still holds the game for its own length.
            m_stalled = true;
            deadline = std::min(deadline, start + length);
        }
        if (m_idle) {
            const std::function<bool()> idle = m_idle;  // the hook may replace itself
            if (!idle())
                return;
        }
        m_sdl->Delay(kIdleIntervalMs);
    }
}

} // namespace vexadra
