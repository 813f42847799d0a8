#include "sound/Cues.h"

#include <thread>
#include <utility>

#include "sound/CueLength.h"

namespace vexadra {

namespace {
CueBackend* g_backend = nullptr;
bool g_soundOn = true;
std::function<void(std::chrono::milliseconds)> g_silentHold;

void Play(int nID, bool wait)
{
    const SoundImage image = FindSound(nID);
    if (!image)
        return;
    if (!g_soundOn) {
        if (!wait)
            return;
        HoldTheGame(CueLength(image));
        return;
    }
    if (g_backend == nullptr)
        return;
    g_backend->Play(nID, image, wait);
}
} // namespace

void SetCueBackend(CueBackend* backend) { g_backend = backend; }
CueBackend* GetCueBackend() { return g_backend; }

void SetSoundOn(bool on) { g_soundOn = on; }
bool IsSoundOn() { return g_soundOn; }
void SetSilentHold(std::function<void(std::chrono::milliseconds)> hold) { g_silentHold = std::move(hold); }

void HoldTheGame(std::chrono::milliseconds length)
{
    if (g_silentHold)
        g_silentHold(length);
    else
        std::this_thread::sleep_for(length);
}

void PlayCue(int nID) { Play(nID, false); }
void PlayCueAndWait(int nID) { Play(nID, true); }

} // namespace vexadra
