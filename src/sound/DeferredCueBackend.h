#pragma once
// Opens the real cue player on a thread of its own, so that looking for a sound device
// (which can take a tenth of a second, longest on a machine that has none) never holds
// up the window's first paint. The first cue waits for it if it is not ready yet.

#include <functional>
#include <future>
#include <memory>

#include "sound/Cues.h"

namespace vexadra {

class DeferredCueBackend final : public CueBackend {
public:
    using Factory = std::function<std::unique_ptr<CueBackend>()>;

    // Starts making the player at once, on another thread.
    explicit DeferredCueBackend(Factory make);
    // Waits for the player to be made, then destroys it on this thread.
    ~DeferredCueBackend() override;
    DeferredCueBackend(const DeferredCueBackend&) = delete;
    DeferredCueBackend& operator=(const DeferredCueBackend&) = delete;

    void Play(int nID, SoundImage image, bool wait) override;

    // The player once made; nullptr when making it failed (the cues are then silent).
    CueBackend* Ready();

private:
    std::future<std::unique_ptr<CueBackend>> m_making;
    std::unique_ptr<CueBackend> m_backend;
};

} // namespace vexadra
