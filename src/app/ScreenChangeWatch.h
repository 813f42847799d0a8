#pragma once
// Tells when the screen's size or its monitors change (a monitor plugged, the resolution
// switched), so that a window sized to the work area can follow it where no window
// manager does that for us.

#include <functional>

namespace vexadra {

class ScreenChangeWatch {
public:
    explicit ScreenChangeWatch(std::function<void()> onChange);
    ~ScreenChangeWatch();
    ScreenChangeWatch(const ScreenChangeWatch&) = delete;
    ScreenChangeWatch& operator=(const ScreenChangeWatch&) = delete;

private:
    static void Notify(void* screen, void* self);

    std::function<void()> m_onChange;
    void* m_screen = nullptr;
    unsigned long m_handlers[2] = {0, 0};
};

} // namespace vexadra
