#include "app/SettingsStore.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/sstream.h>
#include <wx/stdpaths.h>
#include <wx/wfstream.h>

#include <memory>
#include <string>
#include <utility>

namespace vexadra {

namespace {
const wxString kSoundKey = "sound";
const wxString kOpponentKey = "opponent";
} // namespace

wxString SettingsFilePath()
{
    // The file config's own choice of place ignores the layout here (it picks ~/.vexadra),
    // so the folder comes from the standard paths in their XDG layout.
    wxStandardPaths& paths = wxStandardPaths::Get();
    paths.SetFileLayout(wxStandardPaths::FileLayout_XDG);
    return wxFileName(paths.GetUserConfigDir() + "/vexadra",
                      paths.MakeConfigFileName("vexadra", wxStandardPaths::ConfigFileConv_Ext))
        .GetFullPath();
}

wxString LayoutMemoFilePath()
{
    wxStandardPaths& paths = wxStandardPaths::Get();
    paths.SetFileLayout(wxStandardPaths::FileLayout_XDG);
    return paths.GetUserDir(wxStandardPaths::Dir_Cache) + "/vexadra/layout";
}

SettingsStore::SettingsStore(wxString path) : m_path(std::move(path)) {}

namespace {
// What the file holds of ours, as a config. The file config is handed only the lines
// that can be ours: fed a garbled file it would complain through the log and its
// own checks, in message boxes.
std::unique_ptr<wxFileConfig> ReadConfig(const wxString& path)
{
    std::string text;
    wxFFile file;
    if (wxFileName::FileExists(path) && file.Open(path, "rb") && file.Length() >= 0 &&
        static_cast<std::size_t>(file.Length()) <= kMaxSettingsFileBytes) {
        text.resize(static_cast<std::size_t>(file.Length()));
        if (file.Read(text.data(), text.size()) != text.size())
            text.clear();
    }
    wxStringInputStream lines(wxString::FromUTF8(SettingLines(text)));
    auto config = std::make_unique<wxFileConfig>(lines);
    config->SetExpandEnvVars(false);
    return config;
}
} // namespace

Settings SettingsStore::Load() const
{
    wxLogNull quiet;
    if (m_path.empty())
        return Settings{};
    const auto config = ReadConfig(m_path);
    const wxString sound = config->Read(kSoundKey, wxString());
    const wxString opponent = config->Read(kOpponentKey, wxString());
    Settings settings = SettingsFromTexts(sound.utf8_string(), opponent.utf8_string());
    const std::pair<std::string_view, bool*> switches[] = {{kNumbersKey, &settings.numbers},
                                                           {kShowLastMoveKey, &settings.showLastMove},
                                                           {kMarkRefusedKey, &settings.markRefused}};
    for (const auto& [key, value] : switches)
        ReadSwitchSetting(config->Read(wxString::FromUTF8(key.data(), key.size()), wxString()).utf8_string(), *value);
    return settings;
}

void SettingsStore::RememberSound(bool on) const { Write(kSoundKey, SoundSettingName(on)); }

void SettingsStore::RememberOpponent(Opponent opponent) const { Write(kOpponentKey, OpponentName(opponent)); }

void SettingsStore::RememberSwitch(std::string_view key, bool on) const
{
    Write(wxString::FromUTF8(key.data(), key.size()), SoundSettingName(on));
}

void SettingsStore::Write(const wxString& key, std::string_view value) const
{
    // A folder or some other thing where the file should be stays as it is.
    if (m_path.empty() || (wxFileName::Exists(m_path) && !wxFileName::FileExists(m_path)))
        return;
    wxLogNull quiet;
    const wxFileName file(m_path);
    if (!wxFileName::DirExists(file.GetPath()) && !wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return;
    const auto config = ReadConfig(m_path);
    config->Write(key, wxString::FromUTF8(value.data(), value.size()));
    // Written whole to a temporary file that then takes the old one's place: a run that
    // dies meanwhile leaves the old settings, not half a file.
    wxTempFileOutputStream out(m_path);
    if (!out.IsOk() || !config->Save(out) || !out.Commit())
        out.Discard();
}

} // namespace vexadra
