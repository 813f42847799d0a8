#pragma once
// Whole games between two computer levels, played move by move through the game, with
// no screen and the cues counted instead of played.

#include <cstdint>
#include <string>
#include <vector>

#include "ai/Computer.h"

namespace vexadra::ai {

struct MatchOptions {
    int games = 400;
    int rounds = 5;
    std::uint64_t seed = 1;
    Level a = Level::Normal;
    Level b = Level::Easy;
    // About this many of each level's decisions are judged against the exact best move.
    int measure = 0;
    // Only decisions from this move of the round on (1 to 12) are judged: the exact
    // solver takes seconds over the first moves.
    int measureFrom = 1;
};

struct DecisionTimes {
    std::vector<double> wallMs;
    std::vector<double> cpuMs;   // this thread's processor time
    std::vector<int> ply;        // the decision's move number in its round, 0 first
    long long outOfTime = 0;     // searches cut short by their time
    // Of the decisions judged: how many reached the exact best value, and the points
    // lost against it in all.
    long long judged = 0;
    long long optimal = 0;
    long long pointsLost = 0;
};

struct MatchResult {
    int wins = 0;    // of A
    int draws = 0;
    int losses = 0;
    long long scoreDifference = 0;  // A's total minus B's, summed over the games
    DecisionTimes times[2];         // A, B
    long long cues = 0;             // cues the games asked for, counted silently
    long long passes = 0;           // moves after which a side had to pass
};

// A plays the left side in even games and the right side in odd ones.
MatchResult PlayMatch(const MatchOptions& options);
// The one table the match tool prints.
std::string FormatMatch(const MatchOptions& options, const MatchResult& result);
const char* LevelName(Level level);

} // namespace vexadra::ai
