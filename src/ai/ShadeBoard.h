#pragma once
// The two boards as 32 small shade numbers, for the look-ahead: the game's rules run on it
// (it answers what MoveRules.h asks of a board) millions of times a second, and it keeps
// a hash of the position as it changes, for the transposition table.

#include <array>
#include <cstdint>
#include <utility>

#include "game/GameState.h"

namespace vexadra::ai {

// The random numbers the position's key is made of: splitmix64 from a fixed seed, the
// same in every build.
struct ShadeKeys {
    static constexpr int kShades = kSquares + 1;  // the shades and the empty square
    static constexpr int kMoveCounts = kMovesPerRound + 1;
    std::array<std::uint64_t, kSquares * kShades> square{};
    std::array<std::uint64_t, kMoveCounts * kMoveCounts * kSides> turn{};
    // With every shade once on a board: a shade by the squares that show it, one on each
    // board, each 1 more than the square and 0 for none.
    static constexpr int kLeftPlaces = kBoardSquares + 1;
    static constexpr int kRightPlaces = kSquares + 1;
    std::array<std::uint64_t, kLeftPlaces * kRightPlaces> pair{};

    constexpr ShadeKeys()
    {
        std::uint64_t x = 0x5EED;
        const auto next = [&x] {
            std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return z ^ (z >> 31);
        };
        for (auto& k : square)
            k = next();
        for (auto& k : turn)
            k = next();
        for (auto& k : pair)
            k = next();
    }
};
inline constexpr ShadeKeys kShadeKeys;

class ShadeBoard {
public:
    // Squares showing the same colour get the same number; an empty square gets kEmpty.
    static constexpr int kEmpty = kSquares;

    // Keyed by pairs: where every shade shows once on a board, by which squares show the
    // same colour rather than by the shades themselves (see Key()).
    explicit ShadeBoard(const GameState& state, bool keyedByPairs = false);

    bool IsEmpty(int n) const { return m_shade[n] == kEmpty; }
    int Shade(int n) const { return m_shade[n]; }
    // Two squares of one board that both show a colour.
    void SwapSquares(int a, int b)
    {
        const int x = m_shade[a];
        const int y = m_shade[b];
        if (m_byPairs)
            m_hash ^= PairKey(x) ^ PairKey(y);
        else
            m_hash ^= KeyOf(a, x) ^ KeyOf(b, y) ^ KeyOf(a, y) ^ KeyOf(b, x);
        SwapKeyless(a, b);
        if (m_byPairs)
            m_hash ^= PairKey(x) ^ PairKey(y);
    }
    // For a look that swaps back before the key is next asked for.
    void SwapKeyless(int a, int b)
    {
        std::swap(m_shade[a], m_shade[b]);
        const int side = a / kBoardSquares;
        m_where[side][m_shade[a]] = static_cast<std::int8_t>(a);
        m_where[side][m_shade[b]] = static_cast<std::int8_t>(b);
    }
    int BlackOut(int n)
    {
        const int held = m_shade[n];
        Set(n, kEmpty);
        return held;
    }
    void Restore(int n, int held) { Set(n, held); }
    int& Score(int side) { return m_score[side]; }
    int Score(int side) const { return m_score[side]; }
    int& MovesLeft(int side) { return m_movesLeft[side]; }
    int MovesLeft(int side) const { return m_movesLeft[side]; }
    int& SideToMove() { return m_side; }
    int SideToMove() const { return m_side; }

    // Whether no shade shows twice on one board, as on any display that can tell the
    // sixteen colours apart; only then does Where() answer.
    bool ShadesUnique() const { return m_unique; }
    // The square of the side's board that shows the shade; -1 when none does.
    int Where(int side, int shade) const { return m_where[side][shade]; }

    // The squares of the side's board that show a colour, one bit a relative square.
    unsigned Occupied(int side) const { return m_occupied[side]; }

    int PliesLeft() const { return m_movesLeft[0] + m_movesLeft[1]; }
    // The squares, the moves left and the side to move; not the scores, which the rest of
    // the round cannot change but only add to. Keyed by pairs, not the shades either, only
    // which squares show the same colour: the rules compare colours and nothing else, so
    // boards that differ by the names of their shades play alike (as after each side has
    // swapped the same two colours).
    std::uint64_t Key() const
    {
        const int turn = (m_movesLeft[0] * ShadeKeys::kMoveCounts + m_movesLeft[1]) * kSides + m_side;
        return m_hash ^ kShadeKeys.turn[static_cast<std::size_t>(turn)];
    }

private:
    // Inline, as the look-ahead changes squares millions of times a second.
    static std::uint64_t KeyOf(int square, int shade) { return kShadeKeys.square[static_cast<std::size_t>(square * kShadeKeys.kShades + shade)]; }
    // Where the shade shows; never asked of kEmpty, whose entries are scratch.
    std::uint64_t PairKey(int shade) const
    {
        return kShadeKeys.pair[static_cast<std::size_t>((m_where[0][shade] + 1) * ShadeKeys::kRightPlaces + m_where[1][shade] + 1)];
    }
    // Empties a square or gives it back its colour.
    void Set(int n, int shade)
    {
        const int shown = shade == kEmpty ? m_shade[n] : shade;
        if (m_byPairs)
            m_hash ^= PairKey(shown);
        else
            m_hash ^= KeyOf(n, m_shade[n]) ^ KeyOf(n, shade);
        const int side = n / kBoardSquares;
        m_where[side][m_shade[n]] = -1;
        m_shade[n] = static_cast<std::uint8_t>(shade);
        m_where[side][shade] = static_cast<std::int8_t>(n);
        if (m_byPairs)
            m_hash ^= PairKey(shown);
        const unsigned bit = 1u << (n % kBoardSquares);
        m_occupied[side] = shade == kEmpty ? m_occupied[side] & ~bit : m_occupied[side] | bit;
    }

    std::uint8_t m_shade[kSquares];
    // By side and shade; the kEmpty entry is scratch.
    std::int8_t m_where[kSides][kEmpty + 1];
    unsigned m_occupied[kSides] = {};
    bool m_unique = true;
    bool m_byPairs = false;
    std::uint64_t m_hash = 0;
    int m_score[kSides];
    int m_movesLeft[kSides];
    int m_side;
};

} // namespace vexadra::ai
