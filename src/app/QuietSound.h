#pragma once
// Keeps the terminal quiet while the sound device is looked for.

namespace vexadra {

// Prefers the desktop's sound servers to the bare sound card (unless SDL_AUDIODRIVER
// says otherwise). It changes the environment: call before any thread starts.
void ChooseSoundDrivers();

// Silences the ALSA library's complaints on a machine without a card: the game goes on
// silently there, so they say nothing the player needs. Loads that library, so it is
// called where the sound library is loaded, off the start-up's path; any thread, any
// number of times.
void QuietAlsa();

} // namespace vexadra
