#include "app/QuietSound.h"

#include <dlfcn.h>

#include <cstdlib>

namespace vexadra {

namespace {
extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);
} // namespace

void ChooseSoundDrivers()
{
    // PulseAudio is what desktops serve, PipeWire's included; SDL's own PipeWire driver
    // complains on stderr where PipeWire is not set up, so it is left out.
    setenv("SDL_AUDIODRIVER", "pulseaudio,alsa", 0);
}

void QuietAlsa()
{
    // SDL loads the ALSA library itself when it gets that far; the handler is the
    // library's own global, so setting it in the copy loaded here also quiets SDL's.
    // The library stays loaded for the run; loading it once is enough.
    static const bool quiet = [] {
        if (void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL))
            if (auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
                set(&IgnoreAlsaError);
                return true;
            }
        return false;
    }();
    static_cast<void>(quiet);
}

} // namespace vexadra
