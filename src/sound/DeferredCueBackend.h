#pragma once
// Makes the real cue player on a thread of its own, and makes it again when its device
// goes away (the audio server restarted, a headset unplugged) or stops taking sound (a
// hung server). Looking for a device takes a tenth of a second, and can hang on a stuck
// audio server: neither the window nor the end of the program ever waits for it. A cue
// that comes while no player is ready is held a moment for the one being made; a cue
// the game waits for that cannot be heard holds the game for its own length.

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "sound/Cues.h"

namespace vexadra {

class DeferredCueBackend final : public CueBackend {
public:
    using Factory = std::function<std::unique_ptr<CueBackend>()>;
    using Millis = std::chrono::milliseconds;

    struct Timing {
        Millis heldCue{300};  // how long a cue that finds no player waits for one being made
        Millis endWait{150};  // how long the owner's end waits for the thread to finish
        Millis check{250};    // how often the player's device is looked at
        // After a device was lost, making a new player is tried again after firstRetry,
        // then at doubling intervals up to lastRetry. A player that could never be made
        // (no sound card) is tried again only when a cue wants it, at most every firstRetry.
        Millis firstRetry{250};
        Millis lastRetry{4000};
    };

    explicit DeferredCueBackend(Factory make);
    DeferredCueBackend(Factory make, Timing timing);
    // Returns within endWait: a thread still making or closing a player is left to
    // finish on its own.
    ~DeferredCueBackend() override;
    DeferredCueBackend(const DeferredCueBackend&) = delete;
    DeferredCueBackend& operator=(const DeferredCueBackend&) = delete;

    // Called on the sound thread whenever a new player is ready to be heard. Set it
    // before the thread starts.
    void SetReadyHook(std::function<void()> hook);

    // Starts making the player, on another thread; a first cue starts it as well.
    void Start();

    void Play(int nID, SoundImage image, bool wait) override;

    // From now on no cue holds the game, and a cue waiting for a player stops waiting:
    // the program is ending.
    void EndHolds();

    // True once a working player is ready, waiting at most the given time for it.
    bool IsReady(Millis wait = Millis{0});

    // How many sound threads were left to finish on their own (busy when their owner
    // ended). While there are any, the program must end without running the destructors
    // of statics and libraries that such a thread may still be inside.
    static int ThreadsLeftRunning();

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

} // namespace vexadra
