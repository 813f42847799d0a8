#include "game/MoveRules.h"

namespace vexadra {

bool IsJumpClear(const GameState& state, int base, const JumpLine& line)
{
    for (int s = line.nFrom + line.nStep; s < line.nTo; s += line.nStep)
        if (!state.IsEmpty(base + s))
            return false;
    return true;
}

bool IsLegalMove(const GameState& state, int base, int from, int to)
{
    const int f = from - base;
    const int t = to - base;
    if (AreAdjacent(f, t))
        return true;
    const JumpLine* line = FindJumpLine(f, t);
    return line != nullptr && IsJumpClear(state, base, *line);
}

bool TakesOpposite(const GameState& state, int square, ColorRef moved) { return state.ShownColorOf(square) == moved; }

} // namespace vexadra
