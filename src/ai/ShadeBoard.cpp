#include "ai/ShadeBoard.h"

#include <array>

namespace vexadra::ai {

namespace {
constexpr std::uint64_t SplitMix(std::uint64_t& x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr int kShades = ShadeBoard::kEmpty + 1;
constexpr int kMoveCounts = kMovesPerRound + 1;

struct Keys {
    std::array<std::uint64_t, kSquares * kShades> square{};
    std::array<std::uint64_t, kMoveCounts * kMoveCounts * kSides> turn{};
};

constexpr Keys MakeKeys()
{
    Keys keys;
    std::uint64_t x = 0x5EED;
    for (auto& k : keys.square)
        k = SplitMix(x);
    for (auto& k : keys.turn)
        k = SplitMix(x);
    return keys;
}
constexpr Keys kKeys = MakeKeys();
} // namespace

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

std::uint64_t ShadeBoard::KeyOf(int square, int shade) { return kKeys.square[square * kShades + shade]; }

std::uint64_t ShadeBoard::Key() const
{
    const int turn = (m_movesLeft[0] * kMoveCounts + m_movesLeft[1]) * kSides + m_side;
    return m_hash ^ kKeys.turn[turn];
}

} // namespace vexadra::ai
