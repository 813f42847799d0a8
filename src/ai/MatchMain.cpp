// vexadra-match [--games N] [--rounds R] [--seed S] LEVEL_A LEVEL_B
// Plays N games of R rounds between two computer levels (easy, normal, hard) and prints
// one table: A's wins, draws and losses, the mean score difference and each level's
// decision times. --measure N judges about N of each level's decisions against the exact
// best move: the share that is optimal and the points lost per decision (--measure-from
// M: only decisions from the round's M-th move on).

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "ai/Match.h"

namespace {

const char kUsage[] = "usage: vexadra-match [--games N] [--rounds R] [--seed S] [--measure N [--measure-from M]]\n"
                      "                     LEVEL_A LEVEL_B\n"
                      "       LEVEL is easy, normal, hard or expert\n";

template <typename T>
bool ParseNumber(std::string_view text, T& value, T least)
{
    T parsed{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (text.empty() || ec != std::errc() || ptr != end || parsed < least)
        return false;
    value = parsed;
    return true;
}

bool ParseLevel(std::string_view text, vexadra::ai::Level& level)
{
    for (const auto candidate : {vexadra::ai::Level::Easy, vexadra::ai::Level::Normal, vexadra::ai::Level::Hard,
                                 vexadra::ai::Level::Expert})
        if (text == vexadra::ai::LevelName(candidate)) {
            level = candidate;
            return true;
        }
    return false;
}

int Usage(const char* problem, std::string_view what)
{
    std::fprintf(stderr, "vexadra-match: %s '%.*s'\n%s", problem, static_cast<int>(what.size()), what.data(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    vexadra::ai::MatchOptions options;
    int levels = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool takesValue = arg == "--games" || arg == "--rounds" || arg == "--seed" || arg == "--measure" ||
                                arg == "--measure-from";
        if (takesValue && i + 1 >= argc)
            return Usage("a number must follow", arg);
        bool ok = true;
        if (arg == "--games")
            ok = ParseNumber(argv[++i], options.games, 1);
        else if (arg == "--rounds")
            ok = ParseNumber(argv[++i], options.rounds, 1);
        else if (arg == "--measure-from")
            ok = ParseNumber(argv[++i], options.measureFrom, 1);
        else if (arg == "--measure")
            ok = ParseNumber(argv[++i], options.measure, 0);
        else if (arg == "--seed")
            ok = ParseNumber<std::uint64_t>(argv[++i], options.seed, 0);
        else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (levels < 2 && ParseLevel(arg, levels == 0 ? options.a : options.b)) {
            ++levels;
            continue;
        } else {
            return Usage("not understood:", arg);
        }
        if (!ok)
            return Usage("not a whole number of at least 1 (0 for the seed and --measure):", argv[i]);
    }
    if (levels != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const vexadra::ai::MatchResult result = vexadra::ai::PlayMatch(options);
    std::fputs(vexadra::ai::FormatMatch(options, result).c_str(), stdout);
    return 0;
}
