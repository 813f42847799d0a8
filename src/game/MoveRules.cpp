#include "game/MoveRules.h"

namespace vexadra {

const MoveCandidates& AllMoveCandidates()
{
    static const MoveCandidates candidates = [] {
        MoveCandidates all;
        for (int f = 0; f < kBoardSquares; ++f)
            for (int t = f + 1; t < kBoardSquares; ++t) {
                if (AreAdjacent(f, t))
                    all.list[all.count++] = {f, t, nullptr};
                else if (const JumpLine* line = FindJumpLine(f, t))
                    all.list[all.count++] = {f, t, line};
            }
        return all;
    }();
    return candidates;
}

} // namespace vexadra
