#include "ai/ShadeBoard.h"

namespace vexadra::ai {

ShadeBoard::ShadeBoard(const GameState& state)
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
}

} // namespace vexadra::ai
