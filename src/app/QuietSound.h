#pragma once
// Keeps the terminal quiet while the sound device is looked for.

namespace vexadra {

// Prefers the desktop's sound servers to the bare sound card (unless SDL_AUDIODRIVER
// says otherwise), and silences the ALSA library's complaints on a machine without a
// card: the game goes on silently there, so they say nothing the player needs. Call
// before any thread starts.
void QuietSoundLibraries();

} // namespace vexadra
