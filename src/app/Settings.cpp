#include "app/Settings.h"

#include <algorithm>

namespace vexadra {

std::optional<bool> ParseSoundSetting(std::string_view text)
{
    if (text == SoundSettingName(true))
        return true;
    if (text == SoundSettingName(false))
        return false;
    return std::nullopt;
}

std::string_view SoundSettingName(bool on) { return on ? "on" : "off"; }

namespace {
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

struct Line {
    std::size_t start = 0;
    std::size_t length = 0;  // without its line feed
    std::string_view value;
};

// The line that decides key, if any.
std::optional<Line> DecidingLine(std::string_view text, std::string_view key)
{
    std::optional<Line> found;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        const auto equals = line.find('=');
        if (equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == key)
            found = Line{start, line.size(), Trimmed(line.substr(equals + 1))};
        start = end + 1;
    }
    return found;
}
} // namespace

Settings ReadSettings(std::string_view fileText)
{
    Settings settings;
    if (const auto sound = DecidingLine(fileText, kSoundKey))
        settings.sound = ParseSoundSetting(sound->value).value_or(settings.sound);
    if (const auto opponent = DecidingLine(fileText, kOpponentKey))
        settings.opponent = ParseOpponent(opponent->value);
    return settings;
}

std::string WithSetting(std::string_view fileText, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + std::string(value);
    std::string text(fileText);
    if (const auto found = DecidingLine(fileText, key)) {
        // A line ended the Windows way keeps its ending.
        const bool crlf = found->length > 0 && fileText[found->start + found->length - 1] == '\r';
        text.replace(found->start, found->length, crlf ? line + '\r' : line);
        return text;
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text + line + '\n';
}

Opponent StartupOpponent(std::optional<Opponent> fromCommandLine, const Settings& remembered)
{
    return fromCommandLine.value_or(remembered.opponent.value_or(Opponent::TwoPlayers));
}

} // namespace vexadra
