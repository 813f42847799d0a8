#include "ai/Computer.h"

#include <algorithm>
#include <utility>

#include "ai/Search.h"
#include "ai/TranspositionTable.h"

namespace vexadra::ai {

bool LevelOf(Opponent opponent, Level& level)
{
    switch (opponent) {
    case Opponent::Easy:
        level = Level::Easy;
        return true;
    case Opponent::Normal:
        level = Level::Normal;
        return true;
    case Opponent::Hard:
        level = Level::Hard;
        return true;
    case Opponent::Expert:
        level = Level::Expert;
        return true;
    case Opponent::TwoPlayers:
        break;
    }
    return false;
}

SearchLimits LimitsFor(Level level)
{
    if (level != Level::Expert)
        return SearchLimits{};
    return SearchLimits{std::chrono::milliseconds(650), 0, std::chrono::milliseconds(2250), true};
}

Computer::Computer(Level level, std::uint64_t seed)
    : m_level(level), m_rng(seed ^ 0x9E3779B97F4A7C15ULL), m_limits(LimitsFor(level))
{
}

Computer::~Computer() = default;

// splitmix64: the same numbers on every platform and library.
int Computer::Below(int n)
{
    std::uint64_t z = (m_rng += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<int>(z % static_cast<std::uint64_t>(n));
}

Move Computer::ChooseMove(const GameState& state, const std::atomic<bool>* stop)
{
    m_report = SearchReport{};
    Position position(state);
    switch (m_level) {
    case Level::Easy:
        return ChooseEasy(position);
    case Level::Normal:
        return ChooseNormal(position);
    case Level::Hard:
    case Level::Expert:
        break;
    }
    return ChooseBySearch(state, stop);
}

namespace {
// Each legal move with what it scores at once.
struct ScoredMoves {
    explicit ScoredMoves(const Position& position) : count(position.LegalMoves(moves))
    {
        for (int i = 0; i < count; ++i)
            gains[i] = position.Gain(moves[i]);
    }
    Move moves[kMaxMoves];
    int gains[kMaxMoves];
    int count;
};
} // namespace

Move Computer::ChooseEasy(const Position& position)
{
    const ScoredMoves scored(position);
    if (scored.count == 0)
        return Move{};
    Move captures[kMaxMoves];
    int captureCount = 0;
    for (int i = 0; i < scored.count; ++i)
        if (scored.gains[i] > 0)
            captures[captureCount++] = scored.moves[i];
    if (captureCount > 0 && Below(2) == 0)
        return captures[Below(captureCount)];
    return scored.moves[Below(scored.count)];
}

Move Computer::ChooseNormal(const Position& position)
{
    const ScoredMoves scored(position);
    if (scored.count == 0)
        return Move{};
    const int bestGain = *std::max_element(scored.gains, scored.gains + scored.count);
    Move best[kMaxMoves];
    int bestCount = 0;
    for (int i = 0; i < scored.count; ++i)
        if (scored.gains[i] == bestGain)
            best[bestCount++] = scored.moves[i];
    return best[Below(bestCount)];
}

Move Computer::ChooseBySearch(const GameState& state, const std::atomic<bool>* stop)
{
    // Made at the first search, on the thread that searches: filling 16 MB can take a
    // busy machine a moment that the window must not wait for.
    if (!m_table)
        m_table = std::make_unique<TranspositionTable>(m_level == Level::Expert ? kExpertTableBits : kHardTableBits);
    else if (m_level == Level::Hard)
        m_table->Clear();
    SearchLimits limits = m_limits;
    if (state.m_nMovesLeft[0] == kMovesPerRound && state.m_nMovesLeft[1] == kMovesPerRound)
        limits.time = limits.openingTime;
    Search search(state, limits, *m_table, stop);
    // Equal moves in a random order, so that equal positions are not always met alike.
    search.ShuffleRoot([this](int n) { return Below(n); });
    const Move move = search.Run();
    m_report = search.Report();
    return move;
}

} // namespace vexadra::ai
