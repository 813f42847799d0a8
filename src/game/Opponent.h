#pragma once
// Who plays the right side: a second person at the same mouse, or the computer at one
// of its levels.

#include <optional>
#include <string_view>

namespace vexadra {

enum class Opponent { TwoPlayers, Easy, Normal, Hard, Expert };

// The words the command line and the settings file use: "two", "easy", "normal", "hard",
// "expert".
// Anything else is no opponent at all, never a guess.
std::optional<Opponent> ParseOpponent(std::string_view text);
std::string_view OpponentName(Opponent opponent);

} // namespace vexadra
