#pragma once
// The computer as a player: picks the move of the side to move at one of three levels.
//   Easy   - a beginner: any legal move, but it takes a capture when one is offered about
//            half the time.
//   Normal - the move that scores best at once; ties broken at random.
//   Hard   - looks ahead through both sides' remaining moves of the round and plays for
//            the largest lead at its end (alpha-beta, iterative deepening), as far as
//            60,000 positions reach.
//   Expert - looks ahead to the round's end every time: the best move there is.
// The same seed and the same positions give the same moves, as long as the search
// finishes within its time (Hard's node budget is what normally stops it).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

#include "ai/Position.h"
#include "game/Opponent.h"

namespace vexadra::ai {

enum class Level { Easy, Normal, Hard, Expert };

// The level of an opponent; Two Players has none.
bool LevelOf(Opponent opponent, Level& level);

struct SearchLimits {
    // A safety net against a slow or busy machine: the search stops when it runs out.
    std::chrono::microseconds time{100000};
    // What normally ends a search early in the round; it keeps the moves reproducible.
    // 0 for no limit.
    long long nodes = 60000;
    // The time for the computer's first move of a round, which has the most to look at.
    std::chrono::microseconds openingTime{100000};
    // After a few short passes for the move order, straight on to the round's end: passes
    // short of it cost more than they teach there, since the end's bounds do not apply.
    bool toTheEnd = false;
    // Threads that search the same position beside it, sharing its table; the move is
    // the same with any number of them, only found sooner.
    int helpers = 0;
};

// Hard's budget, and Expert's time: about the pace of its turns, longer for the opening
// move of a round, which already waits for End.
SearchLimits LimitsFor(Level level);

struct SearchReport {
    int depth = 0;          // plies looked ahead in the last finished pass
    int value = 0;          // the best move's lead gained over those plies
    bool exact = false;     // the last finished pass reached the round's end
    long long nodes = 0;
    bool outOfTime = false;
};

class TranspositionTable;
class Search;

class Computer {
public:
    Computer(Level level, std::uint64_t seed);
    ~Computer();

    void SetLimits(const SearchLimits& limits) { m_limits = limits; }
    Level GetLevel() const { return m_level; }

    // The move for the side to move; {-1, -1} when it has none (the round is over).
    // stop, when given, cuts the search short from another thread.
    Move ChooseMove(const GameState& state, const std::atomic<bool>* stop = nullptr);
    const SearchReport& LastSearch() const { return m_report; }
    // Expert thinks over a position where the other side is to move, for the table alone:
    // whatever that side plays, the search that follows finds much of its work done. Its
    // moves stay the same (Expert's table changes how soon it knows, never what it plays);
    // the other levels do nothing here. Never while ChooseMove runs.
    void Ponder(const GameState& state, const std::atomic<bool>* stop);

private:
    Move ChooseEasy(const Position& position);
    Move ChooseNormal(const Position& position);
    Move ChooseBySearch(const GameState& state, const std::atomic<bool>* stop);
    void PrepareTable();
    // Runs the search, with the limits' helpers beside it.
    Move RunWithHelpers(Search& search, const GameState& state, const SearchLimits& limits);
    int Below(int n);

    Level m_level;
    std::uint64_t m_rng;
    SearchLimits m_limits;
    SearchReport m_report;
    // Hard's is cleared for every move, so that its moves depend on the position alone;
    // Expert's carries on through the round, where each search reuses the last one's.
    std::unique_ptr<TranspositionTable> m_table;
};

} // namespace vexadra::ai
