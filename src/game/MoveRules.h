#pragma once
// The rules of one move, written once for any board that can answer what they ask: the
// game's own state, and the computer's look-ahead. A move in, its outcome out; the board
// changes as the rules say, and a Steps object hears of each change in the order it
// happens, so the window can draw the move step by step while the search hears nothing.

#include <utility>

#include "game/GameState.h"
#include "game/Move.h"
#include "game/Rules.h"

namespace vexadra {

// A pair of squares, in relative indices, that a move may swap; line is the jump line
// between them (nullptr for squares that touch).
struct MoveCandidate {
    int f;
    int t;
    const JumpLine* line;
    // The same, as sets of relative squares: the two ends, and the squares jumped over.
    unsigned ends;
    unsigned between;
};
struct MoveCandidates {
    MoveCandidate list[kMaxMoves];
    int count = 0;
};
// Every pair the rule tables join, each once. A pair joined by more than one jump line is
// judged by the first line FindJumpLine gives.
const MoveCandidates& AllMoveCandidates();

// What the rules ask of a board (GameState answers through StateBoard below):
//   bool IsEmpty(int square) const;      the square shows no colour
//   T Shade(int square) const;            equal for squares that show the same colour
//   void SwapSquares(int a, int b);
//   int BlackOut(int square);            empties it; returns what it held, for Restore
//   void Restore(int square, int held);
//   int& Score(int side); int& MovesLeft(int side); int& SideToMove(); and const forms.
struct NoSteps {
    void Swapped(const Move&) {}
    void Taken(int, const MoveOutcome&) {}
    void NothingTaken(const MoveOutcome&) {}
    void TurnPassed(const MoveOutcome&) {}
};

template <class Board>
bool IsJumpClear(const Board& board, int base, const JumpLine& line)
{
    for (int s = line.nFrom + line.nStep; s < line.nTo; s += line.nStep)
        if (!board.IsEmpty(base + s))
            return false;
    return true;
}

// The squares of the side's board that show a colour, as a set of relative squares; a
// board that keeps the set as it changes may answer Occupied(side) itself.
template <class Board>
unsigned OccupiedSquares(const Board& board, int side)
{
    if constexpr (requires { board.Occupied(side); }) {
        return board.Occupied(side);
    } else {
        unsigned occupied = 0;
        for (int n = 0; n < kBoardSquares; ++n)
            if (!board.IsEmpty(side * kBoardSquares + n))
                occupied |= 1u << n;
        return occupied;
    }
}

// A pair can be swapped when both its squares show a colour and any it jumps over are empty.
constexpr bool IsCandidateOpen(unsigned occupied, const MoveCandidate& c)
{
    return (occupied & c.ends) == c.ends && (occupied & c.between) == 0;
}

template <class Board>
bool IsCandidateOpen(const Board& board, int base, const MoveCandidate& c)
{
    return IsCandidateOpen(OccupiedSquares(board, base / kBoardSquares), c);
}

// The moves the side could make on its board now, whether or not it has a move left.
template <class Board>
int MovesOnBoard(const Board& board, int side, Move (&moves)[kMaxMoves])
{
    const int base = side * kBoardSquares;
    const unsigned occupied = OccupiedSquares(board, side);
    const MoveCandidates& all = AllMoveCandidates();
    int count = 0;
    for (int i = 0; i < all.count; ++i)
        if (IsCandidateOpen(occupied, all.list[i]))
            moves[count++] = Move{base + all.list[i].f, base + all.list[i].t};
    return count;
}

template <class Board>
bool HasMoveOnBoard(const Board& board, int side)
{
    const unsigned occupied = OccupiedSquares(board, side);
    const MoveCandidates& all = AllMoveCandidates();
    for (int i = 0; i < all.count; ++i)
        if (IsCandidateOpen(occupied, all.list[i]))
            return true;
    return false;
}

// The legal moves of the side to move; none once it has no move left.
template <class Board>
int LegalMoves(const Board& board, Move (&moves)[kMaxMoves])
{
    const int side = board.SideToMove();
    return board.MovesLeft(side) == 0 ? 0 : MovesOnBoard(board, side, moves);
}

template <class Board>
Refusal CheckMove(const Board& board, const Move& move)
{
    const int side = board.SideToMove();
    const int base = side * kBoardSquares;
    if (board.MovesLeft(side) == 0)
        return Refusal::RoundOver;
    if (move.from < base || move.from >= base + kBoardSquares || move.to < base || move.to >= base + kBoardSquares)
        return Refusal::NotOwnBoard;
    if (move.from == move.to)
        return Refusal::SameSquare;
    if (board.IsEmpty(move.from) || board.IsEmpty(move.to))
        return Refusal::EmptySquare;
    const int f = move.from - base;
    const int t = move.to - base;
    if (AreAdjacent(f, t))
        return Refusal::None;
    const JumpLine* line = FindJumpLine(f, t);
    if (line == nullptr)
        return Refusal::NotJoined;
    return IsJumpClear(board, base, *line) ? Refusal::None : Refusal::JumpBlocked;
}

// Which of the two opposite squares a legal move takes: the one facing the drop square
// when it shows the colour picked up, the one facing the pick-up square when it shows the
// colour displaced.
template <class Board>
void TakenBy(const Board& board, const Move& move, bool (&takes)[2])
{
    takes[0] = board.Shade(OppositeSquare(move.to)) == board.Shade(move.from);
    takes[1] = board.Shade(OppositeSquare(move.from)) == board.Shade(move.to);
}

// What a legal move scores for its mover: 8 a colour taken, -1 when it takes none.
template <class Board>
int MoveGain(const Board& board, const Move& move)
{
    bool takes[2];
    TakenBy(board, move, takes);
    const int count = (takes[0] ? 1 : 0) + (takes[1] ? 1 : 0);
    return count > 0 ? count * kPointsPerCapture : kPointsForNothing;
}

// Plays a move of the side to move. A refused move changes nothing. After a legal one the
// turn passes; a side then left with moves but no legal move forfeits them (its turn
// passes in turn), and the round is over when neither side has a move left. The next
// deal is not the rules' business: it is chance, and the caller's.
template <class Board, class Steps = NoSteps>
MoveOutcome PlayLegalMove(Board& board, const Move& move, Steps&& steps = Steps{});

template <class Board, class Steps = NoSteps>
MoveOutcome PlayMove(Board& board, const Move& move, Steps&& steps = Steps{})
{
    const Refusal refusal = CheckMove(board, move);
    if (refusal != Refusal::None) {
        MoveOutcome outcome;
        outcome.refusal = refusal;
        return outcome;
    }
    return PlayLegalMove(board, move, std::forward<Steps>(steps));
}

// PlayMove for a move the caller already knows to be legal (one LegalMoves listed on this
// very board): the look-ahead plays millions and need not ask again.
template <class Board, class Steps>
MoveOutcome PlayLegalMove(Board& board, const Move& move, Steps&& steps)
{
    MoveOutcome outcome;
    const int side = board.SideToMove();
    outcome.mover = side;
    bool takes[2];
    TakenBy(board, move, takes);
    board.SwapSquares(move.from, move.to);
    steps.Swapped(move);

    const int facing[2] = {OppositeSquare(move.to), OppositeSquare(move.from)};
    for (int k = 0; k < 2; ++k)
        if (takes[k]) {
            outcome.taken[k] = facing[k];
            outcome.takenIndex[k] = board.BlackOut(facing[k]);
        }
    board.MovesLeft(side) -= 1;
    board.SideToMove() = OtherSide(side);
    for (int pass = 0; pass < kSides; ++pass) {
        const int next = board.SideToMove();
        if (board.MovesLeft(next) == 0 || HasMoveOnBoard(board, next))
            break;
        outcome.forfeited[next] = board.MovesLeft(next);
        board.MovesLeft(next) = 0;
        board.SideToMove() = OtherSide(next);
    }
    outcome.roundOver = board.MovesLeft(0) == 0 && board.MovesLeft(1) == 0;

    // The score moves with each colour taken, so that whoever watches sees it climb.
    for (int k = 0; k < 2; ++k)
        if (outcome.taken[k] >= 0) {
            outcome.scoreChange += kPointsPerCapture;
            board.Score(side) += kPointsPerCapture;
            steps.Taken(k, outcome);
        }
    if (outcome.scoreChange == 0) {
        outcome.scoreChange = kPointsForNothing;
        board.Score(side) += kPointsForNothing;
        steps.NothingTaken(outcome);
    }
    steps.TurnPassed(outcome);
    return outcome;
}

// Puts the board back exactly as it was before PlayMove gave this outcome.
template <class Board>
void TakeBackMove(Board& board, const Move& move, const MoveOutcome& outcome)
{
    const int side = outcome.mover;
    for (int s = 0; s < kSides; ++s)
        board.MovesLeft(s) += outcome.forfeited[s];
    board.MovesLeft(side) += 1;
    board.SideToMove() = side;
    board.Score(side) -= outcome.scoreChange;
    for (int k = 1; k >= 0; --k)
        if (outcome.taken[k] >= 0)
            board.Restore(outcome.taken[k], outcome.takenIndex[k]);
    board.SwapSquares(move.from, move.to);
}

// The game's own state as a board for the rules: colours are compared as the display
// shows them, and a square is empty when it shows the black reference.
class StateBoard {
public:
    explicit StateBoard(GameState& state) : m_state(&state) {}
    // Only the const members may be used on a board made from a const state.
    static const StateBoard Of(const GameState& state) { return StateBoard(const_cast<GameState&>(state)); }

    bool IsEmpty(int n) const { return m_state->IsEmpty(n); }
    ColorRef Shade(int n) const { return m_state->ShownColorOf(n); }
    void SwapSquares(int a, int b) { std::swap(m_state->m_nSquareColor[a], m_state->m_nSquareColor[b]); }
    int BlackOut(int n)
    {
        const int held = m_state->m_nSquareColor[n];
        m_state->m_nSquareColor[n] = kBlackIndex;
        return held;
    }
    void Restore(int n, int held) { m_state->m_nSquareColor[n] = held; }
    int& Score(int side) { return m_state->m_nScore[side]; }
    int& MovesLeft(int side) { return m_state->m_nMovesLeft[side]; }
    int MovesLeft(int side) const { return m_state->m_nMovesLeft[side]; }
    int& SideToMove() { return m_state->m_nSide; }
    int SideToMove() const { return m_state->m_nSide; }

private:
    GameState* m_state;
};

// The same rules on the game's state, for callers that need no steps.
inline Refusal CheckMove(const GameState& state, const Move& move) { return CheckMove(StateBoard::Of(state), move); }
inline int LegalMoves(const GameState& state, Move (&moves)[kMaxMoves]) { return LegalMoves(StateBoard::Of(state), moves); }
inline int MoveGain(const GameState& state, const Move& move) { return MoveGain(StateBoard::Of(state), move); }
inline MoveOutcome PlayMove(GameState& state, const Move& move)
{
    StateBoard board(state);
    return PlayMove(board, move);
}
inline void TakeBackMove(GameState& state, const Move& move, const MoveOutcome& outcome)
{
    StateBoard board(state);
    TakeBackMove(board, move, outcome);
}

} // namespace vexadra
