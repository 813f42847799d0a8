#pragma once
// The tests a move must pass and the capture test, on a state alone: the game's
// handlers use them, and so does anything that looks ahead through moves.

#include "game/GameState.h"

namespace vexadra {

// The squares strictly between a jump line's ends, on the board starting at base, are all empty.
bool IsJumpClear(const GameState& state, int base, const JumpLine& line);
// from and to lie on the board starting at base: they touch, or they are joined by a
// jump line over nothing but empty squares.
bool IsLegalMove(const GameState& state, int base, int from, int to);
// The square shows the colour that has just moved to its opposite square, so it is taken.
bool TakesOpposite(const GameState& state, int square, ColorRef moved);

} // namespace vexadra
