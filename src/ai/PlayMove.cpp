#include "ai/PlayMove.h"

namespace vexadra::ai {

Point SquareCentre(const GameState& state, int square)
{
    const Rect& r = state.m_rcSquare[square];
    return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PlayMove(VexadraGame& game, const Move& move)
{
    game.OnLButtonDown(SquareCentre(game.State(), move.from));
    game.OnLButtonUp(SquareCentre(game.State(), move.to));
}

} // namespace vexadra::ai
