#include "app/Settings.h"

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

void ReadSwitchSetting(std::string_view text, bool& value) { value = ParseSoundSetting(text).value_or(value); }

Settings SettingsFromTexts(std::string_view sound, std::string_view opponent)
{
    Settings settings;
    settings.sound = ParseSoundSetting(sound).value_or(settings.sound);
    settings.opponent = ParseOpponent(opponent);
    return settings;
}

namespace {
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsSettingWord(std::string_view word)
{
    return !word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos;
}
} // namespace

std::string SettingLines(std::string_view fileText)
{
    std::string kept;
    while (!fileText.empty()) {
        const auto end = fileText.find('\n');
        const std::string_view line = fileText.substr(0, end);
        fileText = end == std::string_view::npos ? std::string_view{} : fileText.substr(end + 1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        const bool ours = key == "sound" || key == "opponent" || key == kNumbersKey || key == kShowLastMoveKey ||
                          key == kMarkRefusedKey;
        if (ours && IsSettingWord(value))
            kept.append(key).append("=").append(value).append("\n");
    }
    return kept;
}

Opponent StartupOpponent(std::optional<Opponent> fromCommandLine, const Settings& remembered)
{
    return fromCommandLine.value_or(remembered.opponent.value_or(Opponent::TwoPlayers));
}

} // namespace vexadra
