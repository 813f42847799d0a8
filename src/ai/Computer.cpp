#include "ai/Computer.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

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
    // The window thread waits through the turn's pacing, which leaves every core but one
    // to the search.
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return SearchLimits{std::chrono::milliseconds(650), 0, std::chrono::milliseconds(2250), true, std::clamp(cores - 1, 0, 3)};
}

Computer::Computer(Level level, std::uint64_t seed)
    : m_level(level), m_rng(seed ^ 0x9E3779B97F4A7C15ULL), m_limits(LimitsFor(level))
{
}

Computer::~Computer() = default;

namespace {
// splitmix64: the same numbers on every platform and library.
std::uint64_t SplitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

int Computer::Below(int n) { return static_cast<int>(SplitMix(m_rng) % static_cast<std::uint64_t>(n)); }

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

void Computer::PrepareTable()
{
    // Made at the first search, on the thread that searches: filling 16 MB can take a
    // busy machine a moment that the window must not wait for.
    if (!m_table)
        m_table = std::make_unique<TranspositionTable>(m_level == Level::Expert ? kExpertTableBits : kHardTableBits);
    else if (m_level == Level::Hard)
        m_table->Clear();
}

Move Computer::ChooseBySearch(const GameState& state, const std::atomic<bool>* stop)
{
    PrepareTable();
    SearchLimits limits = m_limits;
    if (state.m_nMovesLeft[0] == kMovesPerRound && state.m_nMovesLeft[1] == kMovesPerRound)
        limits.time = limits.openingTime;
    Search search(state, limits, *m_table, stop);
    // Equal moves in a random order, so that equal positions are not always met alike.
    search.ShuffleRoot([this](int n) { return Below(n); });
    const Move move = RunWithHelpers(search, state, limits);
    m_report = search.Report();
    return move;
}

void Computer::Ponder(const GameState& state, const std::atomic<bool>* stop)
{
    if (m_level != Level::Expert)
        return;
    PrepareTable();
    SearchLimits limits = m_limits;
    limits.time = limits.openingTime;
    // In the listed order: the seeded numbers are the moves' own.
    Search search(state, limits, *m_table, stop);
    RunWithHelpers(search, state, limits);
}

Move Computer::RunWithHelpers(Search& search, const GameState& state, const SearchLimits& limits)
{
    // The helpers first search the same position in orders of their own: what one learns
    // first in the shared table, the search finds there when it gets to it. Once the pass
    // to the round's end has its first move's value, they share out the other moves.
    RootSplit split;
    std::vector<std::thread> helpers;
    for (int k = 0; k < limits.helpers; ++k) {
        try {
            helpers.emplace_back([&, k] {
                {
                    Search lazy(state, limits, *m_table, &split.lazyDone);
                    std::uint64_t seed = 0x243F6A8885A308D3ULL * static_cast<std::uint64_t>(k + 1);
                    lazy.ShuffleRoot([&seed](int n) { return static_cast<int>(SplitMix(seed) % static_cast<std::uint64_t>(n)); });
                    lazy.Run();
                }
                Search share(state, limits, *m_table, &split.stop);
                share.TakeShare(split);
            });
        } catch (const std::system_error&) {
            break; // no thread to be had: the search does without
        }
    }
    if (!helpers.empty())
        search.ShareRootWith(&split);
    const Move move = search.Run();
    split.lazyDone = true;
    split.stop = true;
    for (std::thread& helper : helpers)
        helper.join();
    return move;
}

} // namespace vexadra::ai
