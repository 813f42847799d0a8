#pragma once
// Stands in for the sound player: remembers every cue instead of playing it, so a
// waiting cue costs nothing and the tests can see which cues came and how.

#include <functional>
#include <vector>

#include "sound/Cues.h"

namespace vexadra::testing {

struct CueCall {
    int nID = 0;
    bool wait = false;
    friend bool operator==(const CueCall&, const CueCall&) = default;
};

// Installs itself as the cue backend for its lifetime.
class CueRecorder final : public CueBackend {
public:
    CueRecorder();
    ~CueRecorder() override;
    CueRecorder(const CueRecorder&) = delete;
    CueRecorder& operator=(const CueRecorder&) = delete;

    void Play(int nID, SoundImage image, bool wait) override;

    // Called with every cue, after it is recorded (to merge cues into a drawing log).
    void SetListener(std::function<void(const CueCall&)> listener);

    std::vector<CueCall> calls;

private:
    CueBackend* m_previous;
    std::function<void(const CueCall&)> m_listener;
};

} // namespace vexadra::testing
