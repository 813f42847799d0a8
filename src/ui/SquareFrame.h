#pragma once
// The frame that marks the square the computer is about to move: black outside, white
// inside, so it stands out on every colour and on an empty square alike.

#include "game/Types.h"
#include "ui/Canvas.h"

namespace vexadra {

// Drawn inside the square, so that the move's own fill of the square wipes it out.
void DrawSquareFrame(Canvas& canvas, const Rect& square);

} // namespace vexadra
