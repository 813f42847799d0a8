#include "sound/DeferredCueBackend.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace vexadra {

using Clock = std::chrono::steady_clock;

namespace {
std::atomic<int> g_threadsLeftRunning{0};
} // namespace

// What the sound thread and the owner share; the thread keeps it alive when the owner
// has gone before the thread could end.
struct DeferredCueBackend::Shared {
    Factory make;
    Timing timing;
    // Recursive: a waited cue keeps the lock while the window repaints, and nothing must
    // deadlock should a repaint ever play a cue.
    std::recursive_mutex mutex;
    std::condition_variable_any changed;
    std::unique_ptr<CueBackend> player;
    bool stopping = false;
    bool abandoned = false;  // the owner ended while the thread was busy, without waiting
    bool busy = false;      // the thread is making or destroying a player, outside the lock
    bool wanted = false;    // a cue found no player
    unsigned attempts = 0;  // players tried so far, made or not
    Clock::time_point lastAttempt{};
    Clock::time_point nextAttempt{};  // time_point::max(): only when a cue wants one

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
                busy = true;
                lock.unlock();
                lost.reset();
                lock.lock();
                busy = false;
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
            busy = true;
            lock.unlock();
            std::unique_ptr<CueBackend> made = Make();
            lock.lock();
            busy = false;
            lastAttempt = Clock::now();
            ++attempts;
            if (made) {
                player = std::move(made);
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
        if (abandoned)
            --g_threadsLeftRunning;
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
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->stopping = true;
        // A device search, or closing a device whose server hangs, must not hold up the
        // end of the program: the thread then finishes on its own.
        m_shared->abandoned = m_shared->busy;
        if (m_shared->abandoned)
            ++g_threadsLeftRunning;
        m_shared->changed.notify_all();
    }
    if (m_shared->abandoned)
        m_thread.detach();
    else
        m_thread.join();
}

int DeferredCueBackend::ThreadsLeftRunning() { return g_threadsLeftRunning; }

void DeferredCueBackend::Start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([shared = m_shared] { shared->Run(); });
}

void DeferredCueBackend::Play(int nID, SoundImage image, bool wait)
{
    Start();
    std::unique_lock lock(m_shared->mutex);
    Shared& s = *m_shared;
    if (!s.player || !s.player->Working()) {
        s.wanted = true;
        s.changed.notify_all();
        if (!wait)
            return;
        // Waits for the attempt under way or the next one, whichever ends first.
        const unsigned before = s.attempts;
        s.changed.wait_for(lock, s.timing.readyWait, [&] { return s.stopping || s.player || s.attempts != before; });
        if (!s.player || !s.player->Working())
            return;
    }
    s.player->Play(nID, image, wait);
}

bool DeferredCueBackend::IsReady(Millis wait)
{
    std::unique_lock lock(m_shared->mutex);
    return m_shared->changed.wait_for(lock, wait, [this] { return m_shared->player && m_shared->player->Working(); });
}

} // namespace vexadra
