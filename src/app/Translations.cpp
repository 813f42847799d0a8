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
// it was installed), locale in the build tree; the toolkit's own in the system's folder.
// The toolkit's loader would ask for the application's paths, and the command line is
// read before there is an application.
class BesideProgramLoader final : public wxTranslationsLoader {
public:
    explicit BesideProgramLoader(const std::string& extraFolder)
    {
        if (!extraFolder.empty())
            m_folders.emplace_back(extraFolder);
        std::error_code error;
        const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error) {
            const std::filesystem::path root = program.parent_path().parent_path();
            m_folders.push_back(root / "share" / "locale");
            m_folders.push_back(root / "locale");
        }
        m_folders.emplace_back("/usr/share/locale");
    }

    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& lang) override
    {
        for (const std::filesystem::path& folder : m_folders) {
            const std::filesystem::path file = CatalogueIn(folder, lang.utf8_string(), domain);
            std::error_code error;
            if (std::filesystem::is_regular_file(file, error))
                return wxMsgCatalog::CreateFromFile(wxString::FromUTF8(file.string()), domain);
        }
        return nullptr;
    }

    wxArrayString GetAvailableTranslations(const wxString& domain) const override
    {
        wxArrayString languages;
        for (const std::filesystem::path& folder : m_folders) {
            std::error_code error;
            for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
                const std::string lang = entry.path().filename().string();
                std::error_code missing;
                if (std::filesystem::is_regular_file(CatalogueIn(folder, lang, domain), missing) &&
                    languages.Index(wxString::FromUTF8(lang)) == wxNOT_FOUND)
                    languages.Add(wxString::FromUTF8(lang));
            }
        }
        return languages;
    }

private:
    static std::filesystem::path CatalogueIn(const std::filesystem::path& folder, const std::string& lang,
                                             const wxString& domain)
    {
        return folder / lang / "LC_MESSAGES" / (domain.utf8_string() + ".mo");
    }

    std::vector<std::filesystem::path> m_folders;
};

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
bool Install(const wxString& language, const std::string& extraFolder)
{
    // A missing or unreadable catalogue means English, not a message box.
    wxLogNull quiet;
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLoader(new BesideProgramLoader(extraFolder));
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
    Install(wxString(), std::string());
}

bool InstallTranslations(const std::string& language, const std::string& folder)
{
    return Install(wxString::FromUTF8(language), folder);
}

void RemoveTranslations()
{
    SetTranslator(nullptr);
    wxTranslations::Set(nullptr);
}

} // namespace vexadra
