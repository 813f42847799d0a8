#pragma once
// The look-ahead of Hard and Expert: negamax with alpha-beta pruning over the rest of the
// round on a ShadeBoard, deepened one ply at a time until the round's end is reached or
// the limits run out. A value is the side to move's lead gained from here on: the round's
// end is fixed and nothing after it depends on this round's moves, so the largest lead
// at its end is the best play there is. Expert searches to the end; Hard stops at its
// node budget and takes the lead at the deepest ply it reached.

#include <atomic>
#include <chrono>
#include <functional>

#include "ai/Computer.h"
#include "ai/ShadeBoard.h"
#include "ai/TranspositionTable.h"

namespace vexadra::ai {

class Search {
public:
    // stop, when given, ends the search early from another thread.
    Search(const GameState& state, const SearchLimits& limits, TranspositionTable& table,
           const std::atomic<bool>* stop = nullptr);

    // Puts the root moves in a random order; the search keeps the first of equal moves.
    void ShuffleRoot(const std::function<int(int)>& below);
    // The best move found; {-1, -1} when the side to move has none.
    Move Run();
    // The exact value of the position for the side to move, however long it takes.
    int Solve();
    const SearchReport& Report() const { return m_report; }

private:
    struct Ordered {
        Move moves[kMaxMoves];
        int gains[kMaxMoves];
        int keys[kMaxMoves];
        int count;
    };
    int Negamax(int depth, int alpha, int beta);
    // The most the side to move can score with its next move.
    int BestGainNow() const;
    template <class Capture>
    void ForEachCapture(int side, Capture&& capture) const;
    // A move's value for the side that played it: what it gained plus the rest, seen from
    // whoever moves next (the same side when the other had to pass).
    int Child(int mover, int gain, int depth, int alpha, int beta);
    int Tried(int mover, const Move& move, int gain, int depth, int alpha, int beta, bool full);
    int LastTwoPlies(int alpha, int beta);
    int AnswerThrough(int answering, int relative) const;
    void Order(Ordered& list) const;
    static void PickNext(Ordered& list, int i);
    bool Expired();
    int& History(const Move& move);

    ShadeBoard m_board;
    SearchLimits m_limits;
    TranspositionTable& m_table;
    const std::atomic<bool>* m_stop;
    std::chrono::steady_clock::time_point m_deadline;
    SearchReport m_report;
    bool m_stopped = false;
    Move m_root[kMaxMoves];
    int m_rootCount = 0;
    int m_history[kSquares][kBoardSquares] = {};
    // By plies left.
    Move m_killer[2 * kMovesPerRound + 1];
    // The moves of each ply searched, by plies left: every ply deeper has fewer left, and
    // a list made afresh each time would cost more to set up than most nodes take.
    Ordered m_lists[2 * kMovesPerRound + 1];
};

// The exact solver, for judging moves: the largest lead the side to move can gain from
// here to the round's end against best play, and what a legal move of it leads to.
int ExactValue(const GameState& state, TranspositionTable& table);
int ExactValueOf(const GameState& state, const Move& move, TranspositionTable& table);

} // namespace vexadra::ai
