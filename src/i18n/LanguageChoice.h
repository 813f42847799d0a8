#pragma once
// Which of the program's translations the player's settings ask for, the way gettext
// reads them: the locale from LC_ALL, else LC_MESSAGES, else LANG; within a locale other
// than C, the LANGUAGE list comes first.

#include <functional>
#include <string>
#include <string_view>

namespace vexadra {

// getenv gives a variable's value or nullptr; hasCatalogue tells whether there is a
// catalogue for a name ("de", "fr", maybe "pt_BR"), and is asked only about the names
// the settings lead to. The answer is one of them, or empty for English.
std::string ChooseLanguage(const std::function<const char*(const char*)>& getenv,
                           const std::function<bool(std::string_view)>& hasCatalogue);

} // namespace vexadra
