#pragma once
// The remembered choices on disk. A file that is missing, unreadable, too large or
// garbled costs the player nothing but the remembered values: no message, the defaults.
// A write never leaves half a file, never replaces a file it could not read, and
// writes through a symbolic link (a dotfiles folder) rather than over it.

#include <string>
#include <string_view>

#include "app/Settings.h"

namespace vexadra {

// A folder of the XDG base-directory layout: the variable's value when it is an
// absolute path (a relative one is invalid and ignored), else the folder under the
// home folder. Empty when there is no home folder either.
std::string XdgUserFolder(const char* variable, std::string_view underHome);

// $XDG_CONFIG_HOME/vexadra/vexadra.conf and $XDG_CACHE_HOME/vexadra/layout.
std::string UserSettingsPath();
std::string UserLayoutMemoPath();

Settings LoadSettingsFile(const std::string& path);

// Sets one key in the file, keeping everything else in it. The new text goes to a
// temporary file beside the real one, is flushed to the disk and then renamed over it,
// so that a run killed at any moment leaves the old file or the new one. False when the
// file was left as it is (too large, unreadable, not a file, the disk refused).
bool WriteSettingToFile(const std::string& path, std::string_view key, std::string_view value);

// Removes what an earlier run that died while writing left beside the file.
void RemoveStrayTemporaries(const std::string& path);

} // namespace vexadra
