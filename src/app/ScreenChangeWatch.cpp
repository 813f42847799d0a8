#include "app/ScreenChangeWatch.h"

#include <utility>

#include <wx/defs.h>

#ifdef __WXGTK3__
#include <dlfcn.h>
#endif

namespace vexadra {

namespace {
// The toolkit's own headers are not part of the build: the few calls are looked up in
// the libraries wxWidgets has already loaded.
using GetDefaultScreen = void* (*)();
using Callback = void (*)();
using ConnectData = unsigned long (*)(void* instance, const char* signal, Callback handler, void* data,
                                      void* destroyData, int flags);
using Disconnect = void (*)(void* instance, unsigned long handler);

template <class Function>
Function Lookup([[maybe_unused]] const char* name)
{
#ifdef __WXGTK3__
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
#else
    return nullptr;
#endif
}

const char* const kSignals[] = {"size-changed", "monitors-changed"};
} // namespace

ScreenChangeWatch::ScreenChangeWatch(std::function<void()> onChange) : m_onChange(std::move(onChange))
{
    const auto defaultScreen = Lookup<GetDefaultScreen>("gdk_screen_get_default");
    const auto connect = Lookup<ConnectData>("g_signal_connect_data");
    if (defaultScreen == nullptr || connect == nullptr)
        return;
    m_screen = defaultScreen();
    if (m_screen == nullptr)
        return;
    for (int i = 0; i < 2; ++i)
        m_handlers[i] = connect(m_screen, kSignals[i], reinterpret_cast<Callback>(&ScreenChangeWatch::Notify), this,
                                nullptr, 0);
}

ScreenChangeWatch::~ScreenChangeWatch()
{
    const auto disconnect = Lookup<Disconnect>("g_signal_handler_disconnect");
    if (m_screen == nullptr || disconnect == nullptr)
        return;
    for (const unsigned long handler : m_handlers)
        if (handler != 0)
            disconnect(m_screen, handler);
}

void ScreenChangeWatch::Notify(void*, void* self) { static_cast<ScreenChangeWatch*>(self)->m_onChange(); }

} // namespace vexadra
