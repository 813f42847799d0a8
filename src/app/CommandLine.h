#pragma once
// The program's own command line: --help, --version and --opponent.

#include <optional>

namespace vexadra {

struct StartupOptions;

// Reads the arguments into the options. When the program is to end here (it printed
// the usage or the version, or the command line was wrong and it said so on stderr),
// returns the exit status: 0 after --help or --version, 2 for a bad command line.
// Needs no display, so it runs before the toolkit starts.
std::optional<int> ParseCommandLine(int argc, char** argv, StartupOptions& options);

} // namespace vexadra
