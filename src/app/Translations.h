#pragma once
// The player's language: chosen from the environment (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) before anything is shown, English where no catalogue matches.

namespace vexadra {

// Needs no running application, so that even the start-up messages are translated.
void InstallTranslations();
// Back to English, freeing the catalogues: for leaving before the toolkit starts.
void RemoveTranslations();

} // namespace vexadra
