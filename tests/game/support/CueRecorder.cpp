#include "support/CueRecorder.h"

#include <utility>

namespace vexadra::testing {

CueRecorder::CueRecorder() : m_previous(GetCueBackend()) { SetCueBackend(this); }

CueRecorder::~CueRecorder() { SetCueBackend(m_previous); }

void CueRecorder::Play(int nID, SoundImage, bool wait)
{
    calls.push_back(CueCall{nID, wait});
    if (m_listener)
        m_listener(calls.back());
}

void CueRecorder::SetListener(std::function<void(const CueCall&)> listener) { m_listener = std::move(listener); }

} // namespace vexadra::testing
