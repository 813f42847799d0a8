#pragma once
// The computer as a player: picks the move of the side to move at one of three levels.
//   Easy   - a beginner: any legal move, but it takes a capture when one is offered about
//            half the time.
//   Normal - the move that scores best at once; ties broken at random.
//   Hard   - looks ahead through both sides' remaining moves of the round and plays for
//            the largest lead at its end (alpha-beta, iterative deepening).
// The same seed and the same positions give the same moves, as long as Hard finishes
// within its time budget (its node budget is what normally stops it).

#include <chrono>
#include <cstdint>

#include "ai/Position.h"
#include "game/Opponent.h"

namespace vexadra::ai {

enum class Level { Easy, Normal, Hard };

// The level of an opponent; Two Players has none.
bool LevelOf(Opponent opponent, Level& level);

struct SearchLimits {
    // A safety net against a slow or busy machine: the search stops when it runs out.
    std::chrono::microseconds time{100000};
    // What normally ends a search early in the round; it keeps the moves reproducible.
    long long nodes = 60000;
};

struct SearchReport {
    int depth = 0;          // plies looked ahead in the last finished pass
    long long nodes = 0;
    bool outOfTime = false;
};

class Computer {
public:
    Computer(Level level, std::uint64_t seed);

    void SetLimits(const SearchLimits& limits) { m_limits = limits; }
    Level GetLevel() const { return m_level; }

    // The move for the side to move; {-1, -1} when it has none (the round is over).
    Move ChooseMove(const GameState& state);
    const SearchReport& LastSearch() const { return m_report; }

private:
    Move ChooseEasy(const Position& position);
    Move ChooseNormal(const Position& position);
    Move ChooseHard(const GameState& state);
    int Below(int n);

    Level m_level;
    std::uint64_t m_rng;
    SearchLimits m_limits;
    SearchReport m_report;
};

} // namespace vexadra::ai
