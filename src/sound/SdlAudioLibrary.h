#pragma once
// The sound library's entry points, looked up when the first cue needs them rather than
// at start-up: the library pulls in some twenty libraries of its own (audio servers,
// codecs, graphics drivers) that the window never uses. Its headers are only read for
// the types; nothing links against it.

#include <SDL.h>

namespace vexadra {

// The library's run-time name (its soname), as packages of it install it.
inline constexpr const char* kSdlLibrary = "libSDL2-2.0.so.0";

#define VEXADRA_SDL_AUDIO_FUNCTIONS(X)                                                              \
    X(SetHint) X(InitSubSystem) X(QuitSubSystem) X(OpenAudioDevice) X(CloseAudioDevice)              \
    X(PauseAudioDevice) X(LockAudioDevice) X(UnlockAudioDevice) X(GetAudioDeviceStatus)              \
    X(RWFromConstMem) X(LoadWAV_RW) X(FreeWAV) X(NewAudioStream) X(AudioStreamPut) X(AudioStreamFlush) \
    X(AudioStreamAvailable) X(AudioStreamGet) X(FreeAudioStream) X(Delay)       \
    X(TLSCleanup) X(Quit)

struct SdlAudioApi {
#define VEXADRA_SDL_MEMBER(name) decltype(&SDL_##name) name = nullptr;
    VEXADRA_SDL_AUDIO_FUNCTIONS(VEXADRA_SDL_MEMBER)
#undef VEXADRA_SDL_MEMBER
};

// Loads the library once per name and process; nullptr when it or one of its entry
// points is missing (the cues are then silent). It is never unloaded: its threads and
// handlers may outlive any caller.
const SdlAudioApi* LoadSdlAudio(const char* library = kSdlLibrary);

// Frees what the libraries loaded here still hold (their settings, their subsystems).
// Only at the very end, once no thread uses them.
void ShutDownSdlAudio();

} // namespace vexadra
