#include "app/StartupOptions.h"

#include <charconv>
#include <cstdlib>
#include <ctime>

namespace vexadra {

std::optional<std::uint32_t> ParseSeed(std::string_view text)
{
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::string ReadCommandLine(const std::vector<std::string>& args, StartupOptions& options)
{
    constexpr std::string_view kOption = "--opponent";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.substr(0, kOption.size()) != kOption)
            continue;
        std::string_view value;
        if (arg.size() > kOption.size() && arg[kOption.size()] == '=')
            value = arg.substr(kOption.size() + 1);
        else if (arg.size() == kOption.size() && i + 1 < args.size())
            value = args[++i];
        else if (arg.size() != kOption.size())
            continue;  // --opponentX is some other option
        const auto opponent = ParseOpponent(value);
        if (!opponent)
            return "vexadra: --opponent takes two, easy, normal or hard, not '" + std::string(value) + "'";
        options.opponent = *opponent;
    }
    return {};
}

StartupOptions ReadStartupOptions()
{
    StartupOptions options;
    options.seed = static_cast<std::uint32_t>(std::time(nullptr));
    if (const char* text = std::getenv("VEXADRA_SEED"))
        if (const auto seed = ParseSeed(text))
            options.seed = *seed;
    if (const char* path = std::getenv("VEXADRA_TRACE"))
        options.tracePath = path;
    if (const char* quit = std::getenv("VEXADRA_QUIT_AFTER_FIRST_PAINT"))
        options.quitAfterFirstPaint = std::string_view(quit) == "1";
    return options;
}

} // namespace vexadra
