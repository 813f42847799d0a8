#pragma once
// How long a WAV image plays, read from its own header.

#include <chrono>

#include "sound/Cues.h"

namespace vexadra {

// The playing time of a PCM RIFF WAVE image: its data bytes over its byte rate.
// Zero for anything that is not such an image.
std::chrono::milliseconds CueLength(SoundImage image);

} // namespace vexadra
