#pragma once
// The player's language: chosen from the environment (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) before anything is shown, English where no catalogue matches.

#include <string>

namespace vexadra {

// Needs neither the toolkit nor the application object: even the usage and the start-up
// messages are translated.
void InstallTranslations();
// One language by its code ("de", "fr_FR"), whatever the environment says, looked for in
// folder first; false when there is no catalogue for it (the texts then stay English).
bool InstallTranslations(const std::string& language, const std::string& folder);
// Back to English, freeing the catalogues: for leaving before the toolkit starts.
void RemoveTranslations();

} // namespace vexadra
