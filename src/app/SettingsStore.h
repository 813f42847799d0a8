#pragma once
// The player's remembered choices, for the window: where they live and the two writes
// the menus make (see app/SettingsFile.h for how a file is read and written).

#include <wx/string.h>

#include "app/Settings.h"

namespace vexadra {

// The file the settings are kept in: $XDG_CONFIG_HOME/vexadra/vexadra.conf, with
// ~/.config when the variable is unset or not an absolute path.
wxString SettingsFilePath();
// The cache of what the first paint measured ($XDG_CACHE_HOME/vexadra/layout): only
// ever a shortcut, so losing it costs nothing but time.
wxString LayoutMemoFilePath();

class SettingsStore {
public:
    // Keeps nothing: loads the defaults and writes nowhere.
    SettingsStore() = default;
    // The settings in this file.
    explicit SettingsStore(wxString path);
    // The player's own file.
    static SettingsStore ForUser() { return SettingsStore(SettingsFilePath()); }

    Settings Load() const;
    // Each writes its one value at once; everything else in the file stays as it is. A
    // file the program may not rewrite keeps the choice for this run only.
    void RememberSound(bool on) const;
    void RememberOpponent(Opponent opponent) const;

    const wxString& Path() const { return m_path; }

private:
    wxString m_path;
};

} // namespace vexadra
