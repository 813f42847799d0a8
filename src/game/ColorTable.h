#pragma once
// The sixteen game colours, the black of an empty square and the colour indices.

#include <functional>

#include "game/Types.h"

namespace vexadra {

constexpr int kGameColors = 16;
constexpr int kColorSlots = 36;     // arrays indexed by colour index
constexpr int kWorkBrushFrom = 32;  // brush of the picked colour during a release
constexpr int kWorkBrushTo = 33;    // brush of the drop colour during a release
constexpr int kBlackIndex = 34;     // an empty square

// Requested colours of indices 0..15 (and 16..31, the same colours on the right board).
extern const ColorRef g_crGameColors[kGameColors];
// The black of an empty square is deliberately not pure black.
constexpr ColorRef kBlackWanted = RGB(32, 32, 32);

// The display's nearest displayable colour to a requested one. A std::function, so a
// drawing surface can answer for its own display.
using NearestColorFn = std::function<ColorRef(ColorRef)>;
ColorRef TrueColorNearest(ColorRef c);  // identity: a display that shows 24-bit colour exactly

} // namespace vexadra
