#pragma once
// The program's catalogues for one language while an object lives; English after it.
// The tests that use it are built with VEXADRA_TEST_LOCALE_DIR, the build's catalogues.

#include <string>

#include "app/Translations.h"

namespace vexadra {

class Language {
public:
    explicit Language(const std::string& code) : m_found(InstallTranslations(code, VEXADRA_TEST_LOCALE_DIR)) {}
    ~Language() { RemoveTranslations(); }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;
    bool Found() const { return m_found; }

private:
    bool m_found;
};

} // namespace vexadra
