#include "ai/Hint.h"

#include "ai/Search.h"
#include "ai/TranspositionTable.h"

namespace vexadra::ai {

namespace {
// Expert to the round's end where that takes no longer than a hint may (within 100 ms on
// a slow machine: from about the round's fourth move on), else the best its passes found
// by then, which look as far ahead as Hard's. A node budget rather than the clock decides,
// so that asking twice in the same position shows the same move; the clock is the net.
constexpr long long kHintNodes = 300000;
constexpr std::chrono::milliseconds kHintTime{100};
} // namespace

Move HintMove(const GameState& state)
{
    // Kept from hint to hint, as making it anew costs more than the search; emptied each
    // time, so that the hint depends on the position alone.
    static TranspositionTable table(kExpertTableBits);
    table.Clear();
    Search search(state, SearchLimits{kHintTime, kHintNodes, kHintTime, true}, table);
    return search.Run();
}

} // namespace vexadra::ai
