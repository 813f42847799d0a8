#include "game/Opponent.h"

#include <array>
#include <utility>

namespace vexadra {

namespace {
constexpr std::array<std::pair<Opponent, std::string_view>, 5> kNames{{
    {Opponent::TwoPlayers, "two"},
    {Opponent::Easy, "easy"},
    {Opponent::Normal, "normal"},
    {Opponent::Hard, "hard"},
    {Opponent::Expert, "expert"},
}};
} // namespace

std::optional<Opponent> ParseOpponent(std::string_view text)
{
    for (const auto& [opponent, name] : kNames)
        if (name == text)
            return opponent;
    return std::nullopt;
}

std::string_view OpponentName(Opponent opponent)
{
    for (const auto& [candidate, name] : kNames)
        if (candidate == opponent)
            return name;
    return kNames[0].second;
}

} // namespace vexadra
