#include "ai/Hint.h"

#include "ai/Computer.h"

namespace vexadra::ai {

Move HintMove(const GameState& state)
{
    // A fixed seed: asking twice in the same position shows the same move.
    Computer computer(Level::Hard, 1);
    return computer.ChooseMove(state);
}

} // namespace vexadra::ai
