#include "app/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/AppTexts.h"
#include "app/StartupOptions.h"
#include "app/Version.h"
#include "i18n/Translate.h"

namespace vexadra {

namespace {

constexpr std::string_view kOpponentOption = "--opponent";

// The translated text with its one %s filled in.
std::string Told(const char* english, std::string_view argument)
{
    std::string text = Tr(english);
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, Printable(argument));
    return text;
}

CommandLineVerdict Refused(const char* english, std::string_view argument)
{
    return {CommandLineVerdict::Action::Refuse, Told(english, argument)};
}

// How many bytes the well-formed UTF-8 character at the start of text has that a
// terminal shows as it is (no control character); 0 when it is not one.
std::size_t ShownCharacter(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return lead >= 0x20 && lead != 0x7f ? 1 : 0;
    const std::size_t length = lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3
                               : lead >= 0xf0 && lead <= 0xf4                                  ? 4
                                                                                                : 0;
    if (length == 0 || text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
    const unsigned char second = byte(1);
    const bool overlongOrOutside = (lead == 0xe0 && second < 0xa0) || (lead == 0xed && second >= 0xa0) ||
                                   (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second >= 0x90);
    const bool c1Control = lead == 0xc2 && second < 0xa0;
    return overlongOrOutside || c1Control ? 0 : length;
}

} // namespace

std::string Printable(std::string_view argument)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    while (!argument.empty()) {
        std::size_t length = ShownCharacter(argument);
        if (length > 0) {
            shown.append(argument.substr(0, length));
        } else {
            const auto b = static_cast<unsigned char>(argument[0]);
            shown += {'\\', 'x', kHex[b >> 4], kHex[b & 15]};
            length = 1;
        }
        argument.remove_prefix(length);
    }
    return shown;
}

std::string UsageText() { return Tr(kUsage) + "\n" + Tr(kKeysHelp); }

CommandLineVerdict ReadCommandLine(std::span<const std::string_view> args, StartupOptions& options)
{
    using Action = CommandLineVerdict::Action;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            return Refused(kStrayArgument, arg);
        const std::string_view name = arg.substr(0, arg.find('='));
        const bool hasValue = name.size() < arg.size();
        if (arg == "--") {
            optionsEnded = true;
        } else if (name == kOpponentOption) {
            if (!hasValue && i + 1 == args.size())
                return Refused(kOptionNeedsValue, name);
            const std::string_view who = hasValue ? arg.substr(name.size() + 1) : args[++i];
            options.opponent = ParseOpponent(who);
            if (!options.opponent)
                return Refused(kUnknownOpponent, who);
        } else if (name == "-h" || name == "--help" || name == "--version") {
            if (hasValue)
                return Refused(kOptionTakesNoValue, name);
            (name == "--version" ? version : help) = true;
        } else {
            return Refused(kUnknownOption, name);
        }
    }
    if (help)
        return {Action::Help, {}};
    if (version)
        return {Action::Version, {}};
    return {};
}

std::optional<int> ParseCommandLine(int argc, char** argv, StartupOptions& options)
{
    const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
    const CommandLineVerdict verdict = ReadCommandLine(args, options);
    switch (verdict.action) {
    case CommandLineVerdict::Action::Run:
        return std::nullopt;
    case CommandLineVerdict::Action::Help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case CommandLineVerdict::Action::Version:
        std::printf("%s %s\n", kAppName, g_strVersion.c_str());
        return 0;
    case CommandLineVerdict::Action::Refuse:
        break;
    }
    std::fprintf(stderr, "vexadra: %s\n%s", verdict.error.c_str(), UsageText().c_str());
    return 2;
}

} // namespace vexadra
