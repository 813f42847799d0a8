#pragma once
// The computer moves as a person does: a press on one square and a release on another,
// through the game's own handlers, so every rule, cue and round end applies to it alike.

#include "ai/Position.h"
#include "game/VexadraGame.h"

namespace vexadra::ai {

Point SquareCentre(const GameState& state, int square);
void PlayMove(VexadraGame& game, const Move& move);

} // namespace vexadra::ai
