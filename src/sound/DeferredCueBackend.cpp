#include "sound/DeferredCueBackend.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

#include "sound/CueLength.h"

namespace vexadra {

using Clock = std::chrono::steady_clock;

namespace {
std::atomic<int> g_threadsLeftRunning{0};

struct HeldCue {
    int nID = 0;
    SoundImage image;
    Clock::time_point until;
};
} // namespace

// What the sound thread and the owner share; the thread keeps it alive when the owner
// has gone before the thread could end.
struct DeferredCueBackend::Shared {
    Factory make;
    Timing timing;
    std::function<void()> ready;
    // Recursive: a waited cue keeps the lock while the window repaints, and nothing must
    // deadlock should a repaint ever play a cue.
    std::recursive_mutex mutex;
    std::condition_variable_any changed;
    std::unique_ptr<CueBackend> player;
    std::optional<HeldCue> held;  // the last cue that came while no player was ready
    bool stopping = false;
    bool ending = false;     // the program is ending: nothing waits any more
    bool finished = false;   // the thread has closed its player and is ending
    bool abandoned = false;  // the owner ended before the thread had finished
    bool wanted = false;     // a cue found no player
    Clock::time_point lastAttempt{};
    Clock::time_point nextAttempt{};  // time_point::max(): only when a cue wants one

    bool Ready() const { return player && player->Working(); }

    Clock::time_point Due() const
    {
        return wanted ? std::min(nextAttempt, lastAttempt + timing.firstRetry) : nextAttempt;
    }

    std::unique_ptr<CueBackend> Make() const
    {
        try {
            auto made = make();
            return made && made->Working() ? std::move(made) : nullptr;
        } catch (...) {
            return nullptr;  // no sound is better than no game
        }
    }

    void Welcome(std::unique_ptr<CueBackend> made)
    {
        player = std::move(made);
        if (ready)
            ready();
        if (held && Clock::now() <= held->until)
            player->Play(held->nID, held->image, false);
        held.reset();
    }

    // Runs on the sound thread until the owner stops it. Everything slow (making a
    // player, closing a lost one) happens outside the lock.
    void Run()
    {
        std::unique_lock lock(mutex);
        Millis retry = timing.firstRetry;
        bool everWorked = false;
        while (!stopping) {
            if (player && !player->Working()) {
                std::unique_ptr<CueBackend> lost = std::move(player);
                lock.unlock();
                lost.reset();
                lock.lock();
                retry = timing.firstRetry;
                nextAttempt = Clock::now();  // another device may be there already
                continue;
            }
            if (player) {
                changed.wait_for(lock, timing.check, [this] { return stopping; });
                continue;
            }
            const Clock::time_point due = Due();
            if (Clock::now() < due) {
                if (due == Clock::time_point::max())
                    changed.wait(lock);
                else
                    changed.wait_until(lock, due);
                continue;
            }
            wanted = false;
            lock.unlock();
            std::unique_ptr<CueBackend> made = Make();
            lock.lock();
            lastAttempt = Clock::now();
            if (made && stopping) {
                player = std::move(made);  // closed below
            } else if (made) {
                Welcome(std::move(made));
                everWorked = true;
                retry = timing.firstRetry;
            } else {
                nextAttempt = everWorked ? lastAttempt + retry : Clock::time_point::max();
                retry = std::min(retry * 2, timing.lastRetry);
            }
            changed.notify_all();
        }
        std::unique_ptr<CueBackend> last = std::move(player);
        lock.unlock();
        last.reset();
        lock.lock();
        finished = true;
        if (abandoned)
            --g_threadsLeftRunning;
        changed.notify_all();
    }
};

DeferredCueBackend::DeferredCueBackend(Factory make) : DeferredCueBackend(std::move(make), Timing{}) {}

DeferredCueBackend::DeferredCueBackend(Factory make, Timing timing) : m_shared(std::make_shared<Shared>())
{
    m_shared->make = std::move(make);
    m_shared->timing = timing;
}

DeferredCueBackend::~DeferredCueBackend()
{
    if (!m_thread.joinable())
        return;
    Shared& s = *m_shared;
    std::unique_lock lock(s.mutex);
    s.stopping = true;
    s.changed.notify_all();
    // A device search, or closing a device whose server hangs, must not hold up the
    // end of the program: the thread then finishes on its own.
    s.abandoned = !s.changed.wait_for(lock, s.timing.endWait, [&] { return s.finished; });
    if (s.abandoned)
        ++g_threadsLeftRunning;
    lock.unlock();
    if (s.abandoned)
        m_thread.detach();
    else
        m_thread.join();
}

int DeferredCueBackend::ThreadsLeftRunning() { return g_threadsLeftRunning; }

void DeferredCueBackend::SetReadyHook(std::function<void()> hook) { m_shared->ready = std::move(hook); }

void DeferredCueBackend::Start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([shared = m_shared] { shared->Run(); });
}

void DeferredCueBackend::Play(int nID, SoundImage image, bool wait)
{
    Start();
    Shared& s = *m_shared;
    std::unique_lock lock(s.mutex);
    const Clock::time_point start = Clock::now();
    if (s.ending)
        return;
    if (!s.Ready()) {
        s.wanted = true;
        s.changed.notify_all();
        if (!wait) {
            s.held = HeldCue{nID, image, start + s.timing.heldCue};
            return;
        }
        // The game is held for the cue's length either way; heard if a player comes soon.
        const Millis length = CueLength(image);
        if (!s.changed.wait_for(lock, std::min(s.timing.heldCue, length),
                                [&] { return s.stopping || s.ending || s.Ready(); }) ||
            s.stopping || s.ending) {
            const bool ending = s.ending;
            lock.unlock();
            const auto heldSoFar = std::chrono::duration_cast<Millis>(Clock::now() - start);
            if (heldSoFar < length && !ending)
                HoldTheGame(length - heldSoFar);
            return;
        }
    }
    s.held.reset();
    s.player->Play(nID, image, wait);
}

void DeferredCueBackend::EndHolds()
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->ending = true;
    m_shared->changed.notify_all();
}

bool DeferredCueBackend::IsReady(Millis wait)
{
    std::unique_lock lock(m_shared->mutex);
    return m_shared->changed.wait_for(lock, wait, [this] { return m_shared->Ready(); });
}

} // namespace vexadra
