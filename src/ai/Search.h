#pragma once
// Hard's look-ahead: negamax with alpha-beta pruning over the rest of the round, deepened
// one ply at a time until the round's end is reached or the budget runs out. The value
// of a position is the mover's lead at the deepest ply looked at.

#include <chrono>
#include <functional>

#include "ai/Computer.h"
#include "ai/Position.h"

namespace vexadra::ai {

class Search {
public:
    Search(const GameState& state, const SearchLimits& limits);

    // Puts the root moves in a random order; the search keeps the first of equal moves.
    void ShuffleRoot(const std::function<int(int)>& below);
    // The best move found; {-1, -1} when the side to move has none.
    Move Run();
    const SearchReport& Report() const { return m_report; }

private:
    int Negamax(int depth, int alpha, int beta);
    // The value of the position now for the side that has just moved.
    int ValueFor(int mover, int depth, int alpha, int beta);
    bool Expired();
    int OrderedMoves(Move (&moves)[kMaxMoves]) const;

    Position m_position;
    SearchLimits m_limits;
    std::chrono::steady_clock::time_point m_deadline;
    SearchReport m_report;
    bool m_stopped = false;
    Move m_root[kMaxMoves];
    int m_rootCount = 0;
};

} // namespace vexadra::ai
