#pragma once
// The player's choices that outlive a run: the sound switch and the opponent, kept as
// "key=value" lines of a small text file. The player may keep other lines there (a
// comment, a key of a later version): they are read past and written back untouched.

#include <optional>
#include <string>
#include <string_view>

#include "game/Opponent.h"

namespace vexadra {

struct Settings {
    bool sound = true;
    std::optional<Opponent> opponent;  // none: nothing remembered yet

    bool operator==(const Settings&) const = default;
};

inline constexpr std::string_view kSoundKey = "sound";
inline constexpr std::string_view kOpponentKey = "opponent";

// The words the settings file uses for the sound switch: "on" and "off".
std::optional<bool> ParseSoundSetting(std::string_view text);
std::string_view SoundSettingName(bool on);

// A settings file is read only this far; anything longer is not one of ours, and is
// neither read nor rewritten.
constexpr std::size_t kMaxSettingsFileBytes = 4096;

// The choices a file's text makes. For each key the last line that names it decides
// (spaces around key and value allowed); a value the program does not write leaves that
// choice at its default.
Settings ReadSettings(std::string_view fileText);

// The text with key set to value: the line that decides the key is rewritten in its
// place, every other line stays as it was; a key named nowhere is added at the end.
std::string WithSetting(std::string_view fileText, std::string_view key, std::string_view value);

// Who plays the right side at start-up: the command line's choice, else the remembered
// one, else two players.
Opponent StartupOpponent(std::optional<Opponent> fromCommandLine, const Settings& remembered);

} // namespace vexadra
