#pragma once
// The program's own command line: --help, --version and --opponent. Read byte by byte,
// whatever the locale: an argument is never converted, only compared and quoted.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vexadra {

struct StartupOptions;

struct CommandLineVerdict {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    std::string error;  // with Refuse: what is wrong, in the player's language
};

// The arguments after the program's name, read into the options.
CommandLineVerdict ReadCommandLine(std::span<const std::string_view> args, StartupOptions& options);

// The usage printed by --help and after a refusal: the options, then the keys.
std::string UsageText();

// An argument as an error message shows it: control characters and bytes that are not
// UTF-8 are written as \xNN, so that nothing the terminal would act on reaches it.
std::string Printable(std::string_view argument);

// Reads the arguments into the options. When the program is to end here (it printed
// the usage or the version, or the command line was wrong and it said so on stderr),
// returns the exit status: 0 after --help or --version, 2 for a bad command line.
// Needs no display, so it runs before the toolkit starts.
std::optional<int> ParseCommandLine(int argc, char** argv, StartupOptions& options);

} // namespace vexadra
