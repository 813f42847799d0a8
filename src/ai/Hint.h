#pragma once
// The move a hint shows the side to move: what a strong computer level would play there.

#include "game/GameState.h"
#include "game/Move.h"

namespace vexadra::ai {

// None when the side to move has no move left.
Move HintMove(const GameState& state);

} // namespace vexadra::ai
