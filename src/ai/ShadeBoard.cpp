#include "ai/ShadeBoard.h"

namespace vexadra::ai {

ShadeBoard::ShadeBoard(const GameState& state, bool keyedByPairs)
    : m_score{state.m_nScore[0], state.m_nScore[1]},
      m_movesLeft{state.m_nMovesLeft[0], state.m_nMovesLeft[1]},
      m_side(state.m_nSide)
{
    for (auto& side : m_where)
        for (auto& square : side)
            square = -1;
    for (int n = 0; n < kSquares; ++n) {
        int shade = kEmpty;
        if (!state.IsEmpty(n))
            for (shade = 0; state.ShownColorOf(n) != state.m_crShown[shade];)
                ++shade;
        m_shade[n] = static_cast<std::uint8_t>(shade);
        m_hash ^= KeyOf(n, shade);
        if (shade != kEmpty)
            m_occupied[n / kBoardSquares] |= 1u << RelativeIndex(n);
        std::int8_t& where = m_where[n / kBoardSquares][shade];
        if (shade != kEmpty && where >= 0)
            m_unique = false;
        where = static_cast<std::int8_t>(n);
    }
    m_byPairs = keyedByPairs && m_unique;
    if (m_byPairs) {
        m_hash = 0;
        for (int shade = 0; shade < kEmpty; ++shade)
            m_hash ^= PairKey(shade);
    }
}

} // namespace vexadra::ai
