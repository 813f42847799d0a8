#pragma once
// What the command line and the environment tell the program at start-up (the
// environment's are testing aids only).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/Opponent.h"
#include "ui/ViewOptions.h"

namespace vexadra {

struct StartupOptions {
    ViewOptions view;  // the seed, the trace and the timing exit; the shell adds its own texts
    std::optional<Opponent> opponent;  // --opponent; none: the remembered choice
};

// VEXADRA_SEED, a decimal number, fixes the deals for testing; otherwise the time seeds
// them. VEXADRA_TRACE names a file that each full paint appends its client area to.
// VEXADRA_QUIT_AFTER_FIRST_PAINT=1 closes the window once the first paint is on screen.
StartupOptions ReadStartupOptions();
// A whole decimal number that fits 32 bits, nothing else.
std::optional<std::uint32_t> ParseSeed(std::string_view text);

} // namespace vexadra
