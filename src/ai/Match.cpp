#include "ai/Match.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "game/Deal.h"
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

// Returns A's total minus B's.
int PlayGame(const MatchOptions& options, int index, MatchResult& result)
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
        if (move.IsNone())
            break;  // never expected: a side left without a legal move passes
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
        break;
    }
    return "hard";
}

MatchResult PlayMatch(const MatchOptions& options)
{
    CountingCues cues;
    CueBackend* previous = GetCueBackend();
    SetCueBackend(&cues);
    MatchResult result;
    for (int i = 0; i < options.games; ++i) {
        const int difference = PlayGame(options, i, result);
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
    char line[256];
    std::snprintf(line, sizeof line, "%d games of %d rounds, seed %llu, each level on each side in turn\n\n",
                  options.games, options.rounds, static_cast<unsigned long long>(options.seed));
    table += line;
    table += "| level | wins | draws | losses | won | mean score difference | decisions | median decision "
             "(wall / cpu) | worst decision (wall / cpu) |\n";
    table += "| --- | --- | --- | --- | --- | --- | --- | --- | --- |\n";
    const Level levels[2] = {options.a, options.b};
    const int wins[2] = {result.wins, result.losses};
    const int losses[2] = {result.losses, result.wins};
    for (int k = 0; k < 2; ++k) {
        const DecisionTimes& t = result.times[k];
        std::snprintf(line, sizeof line,
                      "| %s %s | %d | %d | %d | %.1f %% | %+.2f | %zu | %.3f / %.3f ms | %.3f / %.3f ms |\n",
                      k == 0 ? "A" : "B", LevelName(levels[k]), wins[k], result.draws, losses[k],
                      100.0 * wins[k] / games, k == 0 ? meanDifference : -meanDifference, t.cpuMs.size(),
                      Median(t.wallMs), Median(t.cpuMs), Max(t.wallMs), Max(t.cpuMs));
        table += line;
    }
    std::snprintf(line, sizeof line, "\nrounds cut short by a side left with no legal move: %lld\n", result.passes);
    table += line;
    return table;
}

} // namespace vexadra::ai
