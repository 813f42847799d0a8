#pragma once
// The marks that tell the player something about a square without changing the game:
// the hinted move, the last move with what it took, a refused pick-up or drop. Each has
// its own shape, apart from the keyboard's frame and pick-up mark and from the
// computer's frame, and each is outlined so that it shows on every colour and on black.

#include "game/Types.h"
#include "ui/Canvas.h"

namespace vexadra {

enum class SquareMark { Hint, LastMove, Refused };
constexpr int kSquareMarkKinds = 3;

// Drawn inside the square, so that a fill of the square wipes it out.
void DrawSquareMark(Canvas& canvas, const Rect& square, SquareMark mark);

} // namespace vexadra
