#pragma once
// A copy of the game's state that the computer plays moves on and takes them back, to
// look ahead. Legality and captures are the game's own tests; the move itself changes
// the state as the game's release handler does, without drawing or sound, and stops at
// the end of the round (the next deal is chance, not a move).

#include "game/GameState.h"

namespace vexadra::ai {

// A drag from one square to another of the mover's board. The two squares swap, so a
// move and its reverse are the same move; each is listed once.
struct Move {
    int from = -1;
    int to = -1;
    friend bool operator==(const Move&, const Move&) = default;
};

// At most one move per pair of squares that touch or share a jump line.
constexpr int kMaxMoves = kAdjacentPairCount + kJumpLineCount;

class Position {
public:
    explicit Position(const GameState& state) : m_state(state) {}

    const GameState& State() const { return m_state; }
    int SideToMove() const { return m_state.m_nSide; }
    // Moves the two sides still have in this round.
    int PliesLeft() const { return m_state.m_nMovesLeft[0] + m_state.m_nMovesLeft[1]; }
    int Lead(int side) const { return m_state.m_nScore[side] - m_state.m_nScore[OtherSide(side)]; }

    // The legal moves of the side to move; none once the round is over.
    int LegalMoves(Move (&moves)[kMaxMoves]) const;
    // What the move scores for its mover: 8 per colour taken, -1 when it takes none.
    int Gain(const Move& move) const;

    struct Undo {
        Move move;
        int taken[2] = {-1, -1};   // squares blacked out
        int takenIndex[2] = {};
        int gain = 0;
    };
    Undo Play(const Move& move);
    void TakeBack(const Undo& undo);

private:
    GameState m_state;
};

} // namespace vexadra::ai
