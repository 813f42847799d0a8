#include "ai/Match.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "ai/Search.h"
#include "ai/TranspositionTable.h"
#include "game/Deal.h"
#include "game/MoveRules.h"
#include "game/VexadraGame.h"
#include "scores/ScoreHistory.h"
#include "sound/Cues.h"

namespace vexadra::ai {

namespace {
class CountingCues final : public CueBackend {
public:
    void Play(int, SoundImage, bool) override { ++count; }
    long long count = 0;
};

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Picks about `wanted` of `total` decisions, the same ones for the same seed, spread
// over every move number of the round.
class Sample {
public:
    Sample(const MatchOptions& options) : m_wanted(options.measure), m_total(options.games * options.rounds * kMovesPerRound), m_rng(options.seed) {}
    bool Takes()
    {
        if (m_wanted <= 0)
            return false;
        std::uint64_t z = (m_rng += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<long long>(z % static_cast<std::uint64_t>(m_total)) < m_wanted;
    }

private:
    long long m_wanted;
    long long m_total;
    std::uint64_t m_rng;
};

void Judge(const GameState& state, const Move& move, TranspositionTable& table, DecisionTimes& times)
{
    const int best = ExactValue(state, table);
    const int loss = best - ExactValueOf(state, move, table);
    ++times.judged;
    times.optimal += loss == 0 ? 1 : 0;
    times.pointsLost += loss;
}

struct Judging {
    explicit Judging(const MatchOptions& options) : sample{Sample(options), Sample(options)}, table(options.measure > 0 ? 20 : 1) {}
    Sample sample[2];
    TranspositionTable table;
};

// Returns A's total minus B's.
int PlayGame(const MatchOptions& options, int index, MatchResult& result, Judging& judging)
{
    const std::uint64_t seed = options.seed * 1000003ULL + static_cast<std::uint64_t>(index);
    ScoreHistory history;
    SeededRandom random(static_cast<std::uint32_t>(seed));
    VexadraGame game(history, random);
    game.DealRound();
    game.State().m_bDealt = true;

    const int sideOfA = index % 2;
    Computer a(options.a, seed * 2 + 1);
    Computer b(options.b, seed * 2 + 2);
    const GameState& s = game.State();
    while (s.m_nRound <= options.rounds) {
        const bool isA = s.m_nSide == sideOfA;
        Computer& mover = isA ? a : b;
        const auto wall = std::chrono::steady_clock::now();
        const double cpu = CpuMs();
        const Move move = mover.ChooseMove(s);
        DecisionTimes& times = result.times[isA ? 0 : 1];
        times.cpuMs.push_back(CpuMs() - cpu);
        times.wallMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count());
        times.ply.push_back(2 * kMovesPerRound - s.m_nMovesLeft[0] - s.m_nMovesLeft[1]);
        times.outOfTime += mover.LastSearch().outOfTime ? 1 : 0;
        if (move.IsNone())
            break;  // never expected: a side left without a legal move passes
        if (judging.sample[isA ? 0 : 1].Takes() && times.ply.back() + 1 >= options.measureFrom)
            Judge(s, move, judging.table, times);
        const MoveOutcome outcome = game.Play(move);
        if (outcome.forfeited[0] + outcome.forfeited[1] > 0)
            ++result.passes;
    }
    return s.m_nScore[sideOfA] - s.m_nScore[1 - sideOfA];
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

double Max(const std::vector<double>& values) { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
} // namespace

const char* LevelName(Level level)
{
    switch (level) {
    case Level::Easy:
        return "easy";
    case Level::Normal:
        return "normal";
    case Level::Hard:
        return "hard";
    case Level::Expert:
        break;
    }
    return "expert";
}

MatchResult PlayMatch(const MatchOptions& options)
{
    CountingCues cues;
    CueBackend* previous = GetCueBackend();
    SetCueBackend(&cues);
    MatchResult result;
    Judging judging(options);
    for (int i = 0; i < options.games; ++i) {
        const int difference = PlayGame(options, i, result, judging);
        result.scoreDifference += difference;
        if (difference > 0)
            ++result.wins;
        else if (difference < 0)
            ++result.losses;
        else
            ++result.draws;
    }
    SetCueBackend(previous);
    result.cues = cues.count;
    return result;
}

std::string FormatMatch(const MatchOptions& options, const MatchResult& result)
{
    const double games = std::max(options.games, 1);
    const double meanDifference = static_cast<double>(result.scoreDifference) / games;
    std::string table;
    char line[320];
    std::snprintf(line, sizeof line, "%d games of %d rounds, seed %llu, each level on each side in turn\n\n",
                  options.games, options.rounds, static_cast<unsigned long long>(options.seed));
    table += line;
    table += "| level | wins | draws | losses | won | mean score difference | decisions | median decision "
             "(wall / cpu) | worst decision (wall / cpu) | out of time | optimal moves | mean loss |\n";
    table += "| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |\n";
    const Level levels[2] = {options.a, options.b};
    const int wins[2] = {result.wins, result.losses};
    const int losses[2] = {result.losses, result.wins};
    for (int k = 0; k < 2; ++k) {
        const DecisionTimes& t = result.times[k];
        char judged[96] = "-- | --";
        if (t.judged > 0)
            std::snprintf(judged, sizeof judged, "%.1f %% of %lld | %.2f", 100.0 * static_cast<double>(t.optimal) / static_cast<double>(t.judged),
                          t.judged, static_cast<double>(t.pointsLost) / static_cast<double>(t.judged));
        std::snprintf(line, sizeof line,
                      "| %s %s | %d | %d | %d | %.1f %% | %+.2f | %zu | %.3f / %.3f ms | %.3f / %.3f ms | %lld | %s |\n",
                      k == 0 ? "A" : "B", LevelName(levels[k]), wins[k], result.draws, losses[k],
                      100.0 * wins[k] / games, k == 0 ? meanDifference : -meanDifference, t.cpuMs.size(),
                      Median(t.wallMs), Median(t.cpuMs), Max(t.wallMs), Max(t.cpuMs), t.outOfTime, judged);
        table += line;
    }
    table += "\nworst decision at each move of the round, 1 to 12 (wall / cpu ms):\n";
    for (int k = 0; k < 2; ++k) {
        const DecisionTimes& t = result.times[k];
        double wall[2 * kMovesPerRound] = {};
        double cpu[2 * kMovesPerRound] = {};
        for (std::size_t i = 0; i < t.ply.size(); ++i) {
            const int ply = std::clamp(t.ply[i], 0, 2 * kMovesPerRound - 1);
            wall[ply] = std::max(wall[ply], t.wallMs[i]);
            cpu[ply] = std::max(cpu[ply], t.cpuMs[i]);
        }
        std::snprintf(line, sizeof line, "%s %s:", k == 0 ? "A" : "B", LevelName(levels[k]));
        table += line;
        for (int ply = 0; ply < 2 * kMovesPerRound; ++ply) {
            std::snprintf(line, sizeof line, " %.0f/%.0f", wall[ply], cpu[ply]);
            table += line;
        }
        table += "\n";
    }
    std::snprintf(line, sizeof line, "\nrounds cut short by a side left with no legal move: %lld\n", result.passes);
    table += line;
    return table;
}

} // namespace vexadra::ai
