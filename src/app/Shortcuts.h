#pragma once
// Every key and mouse action of the game, in one table: the Keyboard Shortcuts window
// and --help are made from it, and a test holds the manual page's KEYS to --help.

#include <span>
#include <string>

namespace vexadra {

struct Shortcut {
    const char* keys;    // as the player presses them; English, translated where shown
    const char* action;  // what happens, starting in lower case
};

std::span<const Shortcut> Shortcuts();

// The keys part of --help, in the player's language: a heading and one entry a line,
// long actions wrapped under their column.
std::string ShortcutsHelpText();

} // namespace vexadra
