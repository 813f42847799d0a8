#include "app/Translations.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <wx/log.h>
#include <wx/translation.h>

#include "i18n/LanguageChoice.h"
#include "i18n/Translate.h"

namespace vexadra {

namespace {

std::string FromCatalogue(const char* english)
{
    return wxGetTranslation(wxString::FromUTF8(english)).utf8_string();
}

// The catalogues sit beside the program: share/locale in an installed tree (wherever
// it was installed), locale in the build tree.
void AddLookupBesideProgram()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return;
    const std::filesystem::path root = program.parent_path().parent_path();
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8((root / "share" / "locale").string()));
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8((root / "locale").string()));
}

// The toolkit reads neither LANGUAGE nor a locale of "C" the way gettext does; English
// (no catalogue) unless the settings name a language there is a catalogue for.
wxString LanguageFromEnvironment(const wxTranslations& translations)
{
    std::vector<std::string> available;
    for (const wxString& name : translations.GetAvailableTranslations("vexadra"))
        available.push_back(name.utf8_string());
    const std::string chosen = ChooseLanguage([](const char* name) { return std::getenv(name); }, available);
    return chosen.empty() ? wxString("en") : wxString::FromUTF8(chosen);
}

// An empty language follows the environment.
bool Install(const wxString& language)
{
    // A missing or unreadable catalogue means English, not a message box.
    wxLogNull quiet;
    AddLookupBesideProgram();
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLanguage(language.empty() ? LanguageFromEnvironment(*translations) : language);
    translations->AddStdCatalog();
    const bool found = translations->AddCatalog("vexadra");
    SetTranslator(&FromCatalogue);
    return found;
}

} // namespace

void InstallTranslations()
{
    // A locale the C library does not have leaves "C" in place; the catalogue is still
    // found by name, and an unknown language simply finds none.
    std::setlocale(LC_ALL, "");
    Install(wxString());
}

bool InstallTranslations(const std::string& language) { return Install(wxString::FromUTF8(language)); }

void RemoveTranslations()
{
    SetTranslator(nullptr);
    wxTranslations::Set(nullptr);
}

} // namespace vexadra
