#pragma once
// The three sound cues. PlayCue returns at once and cuts off a cue that is still
// playing; PlayCueAndWait returns when its sound has ended. Without a backend, or
// without the sound, nothing is heard and the game goes on.

#include <chrono>
#include <cstddef>
#include <functional>

namespace vexadra {

constexpr int IDR_SOUND_BRRR = 101;  // a press or move that breaks a rule
constexpr int IDR_SOUND_TAKE = 102;  // a move that takes one or two colours
constexpr int IDR_SOUND_GONG = 103;  // the end of a round

// A whole RIFF WAVE image held by the program.
struct SoundImage {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    explicit operator bool() const { return data != nullptr && size > 0; }
};

// The embedded image of a cue; empty when there is no such sound.
SoundImage FindSound(int nID);

class CueBackend {
public:
    virtual ~CueBackend() = default;
    // Starts the image at once, replacing anything still playing; with wait, returns
    // only when it has ended.
    virtual void Play(int nID, SoundImage image, bool wait) = 0;
    // False when the player can no longer be heard (its device went away); its owner may
    // then make a new one.
    virtual bool Working() const { return true; }
};

// The backend stays owned by the caller; nullptr makes the cues silent.
void SetCueBackend(CueBackend* backend);
CueBackend* GetCueBackend();

void PlayCue(int nID);
void PlayCueAndWait(int nID);

// The player's sound switch, on at start. Off, no cue is heard, but a cue that holds the
// game up still holds it for the length of its sound: the last move of a round stays
// in view before the new deal, as it does with the sound on.
void SetSoundOn(bool on);
bool IsSoundOn();
// How such a silent cue holds the thread, given the sound's length; by default it sleeps.
// The window passes one that keeps repainting meanwhile.
void SetSilentHold(std::function<void(std::chrono::milliseconds)> hold);
// Holds the game for that long through that hook: what a waited cue that cannot be heard
// does instead.
void HoldTheGame(std::chrono::milliseconds length);

} // namespace vexadra
