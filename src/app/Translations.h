#pragma once
// The player's language: chosen from the environment (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) before anything is shown, English where no catalogue matches.

#include <string>

namespace vexadra {

// The application object must exist (the catalogues are found through its paths), but
// the toolkit need not be started: even the start-up messages are translated.
void InstallTranslations();
// One language by its code ("de", "fr_FR"), whatever the environment says; false when
// the program has no catalogue for it (its texts then stay English).
bool InstallTranslations(const std::string& language);
// Back to English, freeing the catalogues: for leaving before the toolkit starts.
void RemoveTranslations();

} // namespace vexadra
