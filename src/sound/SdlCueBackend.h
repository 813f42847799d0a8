#pragma once
// Plays the cues through SDL2 audio (PipeWire, PulseAudio or ALSA, whichever SDL
// finds), loaded when the backend is made. One device stays open for the backend's life;
// a new cue replaces the one playing. Without the library or a usable device everything
// here is silent and returns at once.

#include "sound/Cues.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace vexadra {

struct SdlAudioApi;

class SdlCueBackend final : public CueBackend {
public:
    // Loads the sound library, opens the audio device and decodes the three cues for it.
    SdlCueBackend();
    // The same from the library of that file name.
    explicit SdlCueBackend(const char* library);
    ~SdlCueBackend() override;
    SdlCueBackend(const SdlCueBackend&) = delete;
    SdlCueBackend& operator=(const SdlCueBackend&) = delete;

    void Play(int nID, SoundImage image, bool wait) override;

    // Called every few milliseconds while a waiting Play holds the thread, so the
    // window can repaint itself meanwhile; false ends the wait at once (the program is
    // ending). An empty hook just sleeps.
    void SetWaitIdle(std::function<bool()> idle);

    // Stops the sound and releases the device; later Plays are silent.
    void Close();

    bool IsOpen() const { return m_device != 0; }
    // False once the device has gone (its audio server ended, it was unplugged), or
    // once a waited cue found it taking no sound at all (its server hangs).
    bool Working() const override;
    // True while a started cue still has samples the device has not taken.
    bool IsPlaying() const;

    // What the device was opened with, and a cue as it is fed to it: these let a
    // check recognise the cue in what the device received. Empty when not decoded.
    int DeviceRate() const { return m_deviceRate; }
    int DeviceChannels() const { return m_deviceChannels; }
    std::uint16_t DeviceFormat() const { return m_deviceFormat; }
    std::span<const std::uint8_t> DeviceSamples(int nID) const;

private:
    struct Decoded {
        const unsigned char* source = nullptr;  // the image it was decoded from
        std::vector<std::uint8_t> samples;      // in the device's format; empty if undecodable
    };

    static void Callback(void* self, std::uint8_t* stream, int len);
    void Fill(std::uint8_t* stream, int len);
    const Decoded& Prepare(int nID, SoundImage image);
    std::vector<std::uint8_t> Convert(SoundImage image) const;
    // How far the device has taken that cue; none once it has ended or was replaced.
    std::optional<std::size_t> PositionOf(std::uint64_t cue) const;
    void WaitFor(std::uint64_t cue, std::size_t bytes);

    const SdlAudioApi* m_sdl = nullptr;  // nullptr when the library is missing
    std::uint32_t m_device = 0;  // SDL_AudioDeviceID; 0 when there is none
    int m_deviceRate = 0;
    int m_deviceChannels = 0;
    std::uint16_t m_deviceFormat = 0;
    std::uint8_t m_silence = 0;
    bool m_subsystem = false;
    std::function<bool()> m_idle;
    std::atomic<bool> m_stalled{false};
    std::map<int, Decoded> m_cues;

    // Shared with the device thread; guarded by the device lock.
    const std::vector<std::uint8_t>* m_playing = nullptr;
    std::size_t m_position = 0;
    std::uint64_t m_cue = 0;  // counts started cues, so a waiter knows when its own was replaced
};

} // namespace vexadra
