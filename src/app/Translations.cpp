#include "app/Translations.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
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
        const std::filesystem::path file = Find(lang.utf8_string(), domain);
        return file.empty() ? nullptr : wxMsgCatalog::CreateFromFile(wxString::FromUTF8(file.string()), domain);
    }

    bool HasCatalog(const std::string& lang, const wxString& domain) const { return !Find(lang, domain).empty(); }

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
    std::filesystem::path Find(const std::string& lang, const wxString& domain) const
    {
        for (const std::filesystem::path& folder : m_folders) {
            std::filesystem::path file = CatalogueIn(folder, lang, domain);
            std::error_code error;
            if (std::filesystem::is_regular_file(file, error))
                return file;
        }
        return {};
    }

    static std::filesystem::path CatalogueIn(const std::filesystem::path& folder, const std::string& lang,
                                             const wxString& domain)
    {
        return folder / lang / "LC_MESSAGES" / (domain.utf8_string() + ".mo");
    }

    std::vector<std::filesystem::path> m_folders;
};

// The toolkit reads neither LANGUAGE nor a locale of "C" the way gettext does; English
// (empty) unless the settings name a language there is a catalogue for. Only the names
// the settings lead to are looked for: a scan of the system's locale folder would cost
// the start-up several milliseconds.
std::string LanguageFromEnvironment(const BesideProgramLoader& loader)
{
    return ChooseLanguage([](const char* name) { return std::getenv(name); },
                          [&loader](std::string_view name) { return loader.HasCatalog(std::string(name), "vexadra"); });
}

// An empty language follows the environment.
bool Install(const std::string& language, const std::string& extraFolder)
{
    auto loader = std::make_unique<BesideProgramLoader>(extraFolder);
    const std::string chosen = language.empty() ? LanguageFromEnvironment(*loader) : language;
    if (chosen.empty()) {
        // English is what the program is written in: nothing to load.
        RemoveTranslations();
        return false;
    }
    // A missing or unreadable catalogue means English, not a message box.
    wxLogNull quiet;
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLoader(loader.release());
    translations->SetLanguage(wxString::FromUTF8(chosen));
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
    Install(std::string(), std::string());
}

bool InstallTranslations(const std::string& language, const std::string& folder)
{
    return Install(language, folder);
}

void RemoveTranslations()
{
    SetTranslator(nullptr);
    wxTranslations::Set(nullptr);
}

} // namespace vexadra
