#pragma once
// Makes the real cue player on a thread of its own, and makes it again when its device
// goes away (the audio server restarted, a headset unplugged). Looking for a device takes
// a tenth of a second, and can hang on a stuck audio server: the window never waits for
// it. A cue that comes while no player is ready is dropped; a cue the game waits for
// waits a bounded time for the player first.

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
        Millis readyWait{2000};  // how long a waited cue waits for a player to be made
        Millis check{250};       // how often the player's device is looked at
        // After a device was lost, making a new player is tried again after firstRetry,
        // then at doubling intervals up to lastRetry. A player that could never be made
        // (no sound card) is tried again only when a cue wants it, at most every firstRetry.
        Millis firstRetry{250};
        Millis lastRetry{4000};
    };

    explicit DeferredCueBackend(Factory make);
    DeferredCueBackend(Factory make, Timing timing);
    // Returns at once: a player still being made is destroyed by its thread when done.
    ~DeferredCueBackend() override;
    DeferredCueBackend(const DeferredCueBackend&) = delete;
    DeferredCueBackend& operator=(const DeferredCueBackend&) = delete;

    // Starts making the player, on another thread; a first cue starts it as well.
    void Start();

    void Play(int nID, SoundImage image, bool wait) override;

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
