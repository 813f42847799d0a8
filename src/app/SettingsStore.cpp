#include "app/SettingsStore.h"

#include <utility>

#include "app/SettingsFile.h"

namespace vexadra {

wxString SettingsFilePath() { return wxString::FromUTF8(UserSettingsPath()); }

wxString LayoutMemoFilePath() { return wxString::FromUTF8(UserLayoutMemoPath()); }

SettingsStore::SettingsStore(wxString path) : m_path(std::move(path)) {}

Settings SettingsStore::Load() const { return LoadSettingsFile(m_path.utf8_string()); }

void SettingsStore::RememberSound(bool on) const
{
    WriteSettingToFile(m_path.utf8_string(), kSoundKey, SoundSettingName(on));
}

void SettingsStore::RememberOpponent(Opponent opponent) const
{
    WriteSettingToFile(m_path.utf8_string(), kOpponentKey, OpponentName(opponent));
}

} // namespace vexadra
