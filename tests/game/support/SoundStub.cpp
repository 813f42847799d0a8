// The cues reach the backend only for a sound the program holds. While the embedded
// sounds are not linked in, this stand-in gives every cue a one-byte image.
#include "sound/Cues.h"

namespace vexadra {

namespace {
const unsigned char kOneByte[1] = {0};
} // namespace

SoundImage FindSound(int)
{
    return SoundImage{kOneByte, sizeof kOneByte};
}

} // namespace vexadra
