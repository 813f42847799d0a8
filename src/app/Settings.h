#pragma once
// The player's choices that outlive a run: the sound switch, the opponent and the View
// menu's three switches. Only these values are kept, and a value read back is used only
// when it is one the program itself writes.

#include <optional>
#include <string>
#include <string_view>

#include "game/Opponent.h"

namespace vexadra {

struct Settings {
    bool sound = true;
    std::optional<Opponent> opponent;  // none: nothing remembered yet
    // The View menu; all off leaves the screen as the game has always drawn it.
    bool numbers = false;
    bool showLastMove = false;
    bool markRefused = false;
};

// The settings file's keys of the View menu's switches, which are written "on" or "off".
inline constexpr std::string_view kNumbersKey = "numbers";
inline constexpr std::string_view kShowLastMoveKey = "lastmove";
inline constexpr std::string_view kMarkRefusedKey = "refused";

// The words the settings file uses for the sound switch: "on" and "off".
std::optional<bool> ParseSoundSetting(std::string_view text);
std::string_view SoundSettingName(bool on);

// The settings made from the two stored texts (an absent one is empty); anything
// unrecognised leaves that setting at its default.
Settings SettingsFromTexts(std::string_view sound, std::string_view opponent);

// A settings file is read only this far; anything longer is not one of ours.
constexpr std::size_t kMaxSettingsFileBytes = 4096;

// Reads an "on"/"off" switch of the View menu into value; anything else leaves it.
void ReadSwitchSetting(std::string_view text, bool& value);

// The lines of a settings file that can be ours ("sound=...", "opponent=..." and the
// View menu's switches, spaces
// around the parts allowed), each ending in a line feed; everything else is dropped so
// that a garbled file cannot upset the reader.
std::string SettingLines(std::string_view fileText);

// Who plays the right side at start-up: the command line's choice, else the remembered
// one, else two players.
Opponent StartupOpponent(std::optional<Opponent> fromCommandLine, const Settings& remembered);

} // namespace vexadra
