#include "sound/SdlAudioLibrary.h"

#include <dlfcn.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace vexadra {

namespace {

std::unique_ptr<SdlAudioApi> Open(const char* library)
{
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    auto api = std::make_unique<SdlAudioApi>();
    bool complete = true;
#define VEXADRA_SDL_LOOKUP(name)                                                        \
    api->name = reinterpret_cast<decltype(api->name)>(dlsym(handle, "SDL_" #name)); \
    complete = complete && api->name != nullptr;
    VEXADRA_SDL_AUDIO_FUNCTIONS(VEXADRA_SDL_LOOKUP)
#undef VEXADRA_SDL_LOOKUP
    // An older or foreign library of that name: no sound rather than a crash. The
    // handle stays open either way, as a library may not be unloaded once it ran.
    return complete ? std::move(api) : nullptr;
}

// Never destroyed: a sound thread may still be loading when the program ends.
std::mutex& Guard()
{
    static auto* guard = new std::mutex;
    return *guard;
}

std::map<std::string, std::unique_ptr<SdlAudioApi>>& Loaded()
{
    static auto* loaded = new std::map<std::string, std::unique_ptr<SdlAudioApi>>;
    return *loaded;
}

} // namespace

const SdlAudioApi* LoadSdlAudio(const char* library)
{
    const std::lock_guard lock(Guard());
    auto [it, fresh] = Loaded().try_emplace(library);
    if (fresh)
        it->second = Open(library);
    return it->second.get();
}

void ShutDownSdlAudio()
{
    const std::lock_guard lock(Guard());
    for (const auto& [name, api] : Loaded())
        if (api)
            api->Quit();
}

} // namespace vexadra
