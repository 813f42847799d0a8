#include "game/Deal.h"

#include "game/GameState.h"

namespace vexadra {

int SeededRandom::Next()
{
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}

namespace {
// Places one board: each pick takes entry r of the live pool and closes the gap,
// always shifting up to the board's last slot.
void DealBoard(GameState& s, RandomSource& random, int base)
{
    const int last = base + kBoardSquares - 1;
    int n = kBoardSquares;
    for (int k = base; k < last; ++k) {
        const int r = base + random.Next() % n;
        s.m_nSquareColor[k] = s.m_nPool[r];
        for (int j = r; j < last; ++j)
            s.m_nPool[j] = s.m_nPool[j + 1];
        --n;
    }
    s.m_nSquareColor[last] = s.m_nPool[base];
}
} // namespace

void DealRound(GameState& s, RandomSource& random)
{
    for (int k = 0; k < kColorSlots; ++k) {
        s.m_nSquareColor[k] = k;
        s.m_nPool[k] = k;
    }
    DealBoard(s, random, 0);
    DealBoard(s, random, kBoardSquares);
}

} // namespace vexadra
