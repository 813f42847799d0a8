#include "sound/Cues.h"

namespace vexadra {

namespace {
CueBackend* g_backend = nullptr;

void Play(int nID, bool wait)
{
    const SoundImage image = FindSound(nID);
    if (g_backend == nullptr || !image)
        return;
    g_backend->Play(nID, image, wait);
}
} // namespace

void SetCueBackend(CueBackend* backend) { g_backend = backend; }
CueBackend* GetCueBackend() { return g_backend; }

void PlayCue(int nID) { Play(nID, false); }
void PlayCueAndWait(int nID) { Play(nID, true); }

} // namespace vexadra
