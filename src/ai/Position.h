#pragma once
// A copy of the game's state that the computer plays moves on and takes them back, to
// look ahead. Every move goes through the game's own rules; nothing is drawn or heard,
// and play stops at the end of the round (the next deal is chance, not a move).

#include "game/GameState.h"
#include "game/Move.h"

namespace vexadra::ai {

using vexadra::kMaxMoves;
using vexadra::Move;

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
        MoveOutcome outcome;
    };
    Undo Play(const Move& move);
    void TakeBack(const Undo& undo);

private:
    GameState m_state;
};

} // namespace vexadra::ai
