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

StartupOptions ReadStartupOptions()
{
    StartupOptions options;
    options.view.seed = static_cast<std::uint32_t>(std::time(nullptr));
    if (const char* text = std::getenv("VEXADRA_SEED"))
        if (const auto seed = ParseSeed(text))
            options.view.seed = *seed;
    if (const char* path = std::getenv("VEXADRA_TRACE"))
        options.view.tracePath = path;
    if (const char* quit = std::getenv("VEXADRA_QUIT_AFTER_FIRST_PAINT"))
        options.view.quitAfterFirstPaint = std::string_view(quit) == "1";
    return options;
}

} // namespace vexadra
