#pragma once
// The look-ahead of Hard and Expert: negamax with alpha-beta pruning over the rest of the
// round on a ShadeBoard, deepened one ply at a time until the round's end is reached or
// the limits run out. A value is the side to move's lead gained from here on: the round's
// end is fixed and nothing after it depends on this round's moves, so the largest lead
// at its end is the best play there is. Expert searches to the end; Hard stops at its
// node budget and takes the lead at the deepest ply it reached.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "ai/Computer.h"
#include "ai/ShadeBoard.h"
#include "ai/TranspositionTable.h"

namespace vexadra::ai {

// The root moves of Expert's pass to the round's end, after the first, shared out among
// threads that search the same position with one table: each takes the next move nobody
// has taken. The best is kept as a single thread going through them in order would have
// found it, the first of equal moves, so that the move is the same with any number of
// threads.
class RootSplit {
public:
    // Set once the moves are shared out, and when the search is over: helpers that think
    // along the search in their own order (which fills the table for it) stop then.
    std::atomic<bool> lazyDone{false};
    // Asks the searches of the shared moves to end.
    std::atomic<bool> stop{false};

private:
    friend class Search;
    // What a move must beat to be the best: a move listed before the best need only
    // equal it.
    int Threshold(int index);
    // Records a move's result: its exact value, or a bound at or below its threshold.
    void Offer(int index, int value);
    // Records a move cut short; atLeast, when above every value, is what it was shown to
    // be worth at least before that.
    void CutShort(int index, int atLeast);
    // Counts a move in, as the best when it beats it; under the lock.
    void Settle(int index, int value);

    Move m_moves[kMaxMoves];
    int m_gains[kMaxMoves] = {};
    int m_count = 0;
    int m_depth = 0;
    std::chrono::steady_clock::time_point m_deadline;
    std::atomic<bool> m_open{false};
    std::atomic<int> m_next{0};
    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_bestValue = 0;
    int m_bestIndex = 0;
    int m_settled = 0;
    bool m_cutShort = false;
};

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
    // The pass to the round's end shares its root moves after the first with whoever
    // calls TakeShare on the split (searches of this very position).
    void ShareRootWith(RootSplit* split) { m_split = split; }
    // Searches moves of the split until none is left; returns at once when it is not
    // shared out (yet).
    void TakeShare(RootSplit& split);

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
    // A root move against alpha, as Tried; when its search to find how much better it is
    // gets cut short, atLeast keeps what it was shown worth beyond alpha.
    int TriedAtRoot(const Move& move, int gain, int depth, int alpha, bool full, int& atLeast);
    int LastTwoPlies(int alpha, int beta);
    int AnswerThrough(int answering, int relative) const;
    void Order(Ordered& list) const;
    void OrderQuiet(Ordered& list, const Move& first);
    bool Probe(Ordered& list, int alpha, int beta);
    // The captures a side has on offer, by relative squares: a move of the other side that
    // takes nothing leaves them all but those through the two squares it swaps.
    struct Offers {
        struct Offer {
            int a, b, gain;
        } list[kBoardSquares];
        int count = 0;
    };
    void ListOffers(int side, Offers& offers) const;
    // The most one of the offers scores that involves neither relative square.
    static int OfferedBesides(const Offers& offers, int a, int b);
    // The most the answering side scores through the two squares of a move that takes
    // nothing, once it is made.
    int AnswerThroughSwap(int answering, const Move& move);
    static void PickNext(Ordered& list, int i);
    bool Expired();
    // The root moves after the first, searched with the split's other threads; the best
    // index and its value.
    int ShareOut(const int (&gains)[kMaxMoves], int depth, int& alpha);
    int& History(const Move& move);

    ShadeBoard m_board;
    SearchLimits m_limits;
    TranspositionTable& m_table;
    const std::atomic<bool>* m_stop;
    RootSplit* m_split = nullptr;
    int m_rootPlies = 0;
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
