#pragma once
// What a display of a given colour depth makes of a 24-bit colour.

#include "game/Types.h"

namespace vexadra {

// The identity from 24 bits up; below, each channel is rounded to the bits the depth
// gives it (5-6-5 at 16, 5-5-5 at 15, 3-3-2 at 8) and widened back to 8 bits as the
// display reports it. A one- or two-bit display shows black or white.
ColorRef NearestColorAtDepth(ColorRef wanted, int depth);

} // namespace vexadra
