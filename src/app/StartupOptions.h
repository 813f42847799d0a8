#pragma once
// What the environment may tell the program at start-up (testing aids only).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Opponent.h"

namespace vexadra {

struct StartupOptions {
    std::uint32_t seed = 0;  // the deal's generator seed
    std::string tracePath;   // where each full paint notes the client area (testing aid)
    bool quitAfterFirstPaint = false;  // for timing the start-up
    Opponent opponent = Opponent::TwoPlayers;  // who plays the right side at start
};

// VEXADRA_SEED, a decimal number, fixes the deals for testing; otherwise the time seeds
// them. VEXADRA_TRACE names a file that each full paint appends its client area to.
// VEXADRA_QUIT_AFTER_FIRST_PAINT=1 closes the window once the first paint is on screen.
StartupOptions ReadStartupOptions();
// A whole decimal number that fits 32 bits, nothing else.
std::optional<std::uint32_t> ParseSeed(std::string_view text);
// The command line's --opponent=two|easy|normal|hard (or --opponent WORD); other arguments
// are left alone. Returns the message to give when the option is malformed, else empty.
std::string ReadCommandLine(const std::vector<std::string>& args, StartupOptions& options);

} // namespace vexadra
