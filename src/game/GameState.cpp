#include "game/GameState.h"

namespace vexadra {

int ColorNumber(const GameState& state, ColorRef shown)
{
    for (int j = 0; j < kGameColors; ++j)
        if (state.m_crShown[j] == shown)
            return j + 1;
    return 0;
}

void ResolveGameColors(GameState& state, NearestColorFn nearest)
{
    for (int k = 0; k < kSquares; ++k) {
        state.m_crShown[k] = nearest(state.m_crWanted[k]);
        state.m_brColor[k] = Brush{state.m_crShown[k]};
    }
}

void ResolveBlackReference(GameState& state, NearestColorFn nearest)
{
    state.m_crShown[kBlackIndex] = nearest(state.m_crWanted[kBlackIndex]);
    state.m_brColor[kBlackIndex] = Brush{state.m_crShown[kBlackIndex]};
    state.m_brBlack = Brush{state.m_crShown[kBlackIndex]};
}

} // namespace vexadra
