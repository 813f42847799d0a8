#pragma once
// Where the settings live: $XDG_CONFIG_HOME/vexadra/vexadra.conf (~/.config when the
// variable is not set), through wxWidgets' file config. A file that is missing,
// unreadable, unwritable or garbled costs the player nothing but the remembered
// values: no message, no error, the defaults.

#include <wx/string.h>

#include "app/Settings.h"

namespace vexadra {

// The file the settings are kept in, in the XDG layout.
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
    // The player's own file (the toolkit must be running).
    static SettingsStore ForUser() { return SettingsStore(SettingsFilePath()); }

    Settings Load() const;
    // Each writes its one value at once; the other is left as it is in the file.
    void RememberSound(bool on) const;
    void RememberOpponent(Opponent opponent) const;
    // One of the View menu's switches, by its key (kNumbersKey...).
    void RememberSwitch(std::string_view key, bool on) const;

    const wxString& Path() const { return m_path; }

private:
    void Write(const wxString& key, std::string_view value) const;

    wxString m_path;
};

} // namespace vexadra
