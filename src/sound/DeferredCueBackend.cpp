#include "sound/DeferredCueBackend.h"

#include <utility>

namespace vexadra {

DeferredCueBackend::DeferredCueBackend(Factory make)
    : m_making(std::async(std::launch::async, [make = std::move(make)]() -> std::unique_ptr<CueBackend> {
          try {
              return make();
          } catch (...) {
              return nullptr;  // no sound is better than no game
          }
      }))
{
}

DeferredCueBackend::~DeferredCueBackend()
{
    Ready();
    m_backend.reset();
}

CueBackend* DeferredCueBackend::Ready()
{
    if (m_making.valid())
        m_backend = m_making.get();
    return m_backend.get();
}

void DeferredCueBackend::Play(int nID, SoundImage image, bool wait)
{
    if (CueBackend* backend = Ready())
        backend->Play(nID, image, wait);
}

} // namespace vexadra
