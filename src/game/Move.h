#pragma once
// A move as a value: a drag of the side to move from one square of its own board to
// another. Every player of the game (the mouse, the keyboard, the computer, a hint, an
// undo) speaks of moves in these terms; only the window knows where the squares are.

#include "game/Rules.h"

namespace vexadra {

struct Move {
    int from = -1;
    int to = -1;
    bool IsNone() const { return from < 0; }
    friend bool operator==(const Move&, const Move&) = default;
};

// Why the rules refuse a move.
enum class Refusal {
    None,          // the move is legal
    RoundOver,     // the side to move has no move left in this round
    NotOwnBoard,   // a square lies off the mover's own board
    SameSquare,    // dropped where it was picked up
    EmptySquare,   // one of the two squares shows no colour
    NotJoined,     // the squares neither touch nor share a line two or three apart
    JumpBlocked,   // a square jumped over still shows a colour
};

// What a legal move did, in the order it did it: enough to draw it, to score it and to
// take it back exactly.
struct MoveOutcome {
    Refusal refusal = Refusal::None;
    int mover = 0;
    // The opposite squares blacked out, in the order they were tested: first the one
    // facing the drop square, then the one facing the pick-up square; -1 where nothing
    // was taken. takenIndex holds the colour index each showed before.
    int taken[2] = {-1, -1};
    int takenIndex[2] = {0, 0};
    int scoreChange = 0;
    // Moves each side forfeited because it was left with no legal move: its turn passes,
    // and the round ends when neither side has a move left.
    int forfeited[2] = {0, 0};
    bool roundOver = false;

    bool Legal() const { return refusal == Refusal::None; }
    int TakenCount() const { return (taken[0] >= 0 ? 1 : 0) + (taken[1] >= 0 ? 1 : 0); }
};

// At most one move per pair of squares that touch or share a jump line: a move and its
// reverse swap the same two squares, so each pair is listed once.
constexpr int kMaxMoves = kAdjacentPairCount + kJumpLineCount;

} // namespace vexadra
