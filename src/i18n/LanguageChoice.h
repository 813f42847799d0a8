#pragma once
// Which of the program's translations the player's settings ask for, the way gettext
// reads them: the locale from LC_ALL, else LC_MESSAGES, else LANG; within a locale other
// than C, the LANGUAGE list comes first.

#include <functional>
#include <string>
#include <vector>

namespace vexadra {

// getenv gives a variable's value or nullptr; available names the catalogues there are
// ("de", "fr", maybe "pt_BR"). The answer is one of them, or empty for English.
std::string ChooseLanguage(const std::function<const char*(const char*)>& getenv,
                           const std::vector<std::string>& available);

} // namespace vexadra
