#include "game/MoveRules.h"

namespace vexadra {

const MoveCandidates& AllMoveCandidates()
{
    static const MoveCandidates candidates = [] {
        MoveCandidates all;
        for (int f = 0; f < kBoardSquares; ++f)
            for (int t = f + 1; t < kBoardSquares; ++t) {
                const unsigned ends = 1u << f | 1u << t;
                if (AreAdjacent(f, t)) {
                    all.list[all.count++] = {f, t, nullptr, ends, 0};
                } else if (const JumpLine* line = FindJumpLine(f, t)) {
                    unsigned between = 0;
                    for (int s = line->nFrom + line->nStep; s < line->nTo; s += line->nStep)
                        between |= 1u << s;
                    all.list[all.count++] = {f, t, line, ends, between};
                }
            }
        return all;
    }();
    return candidates;
}

} // namespace vexadra
