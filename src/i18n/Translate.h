#pragma once
// The player's language for the plain C++ parts. The shell installs the toolkit's
// catalogue lookup at start-up; until then, and in the core's own tests, every text
// stays the English it is written in.

#include <string>

namespace vexadra {

using Translator = std::string (*)(const char* english);

// nullptr goes back to the English texts.
void SetTranslator(Translator translator);
// The text in the player's language, as UTF-8.
std::string Tr(const char* english);

} // namespace vexadra

// Marks a text for the catalogue where it is defined; Tr() translates it where it is shown.
#ifndef N_
#define N_(text) text
#endif
