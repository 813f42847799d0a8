#pragma once
// Help > Keyboard Shortcuts: every key and mouse action of the game, from the one table.

#include <wx/dialog.h>

namespace vexadra {

class ShortcutsDlg final : public wxDialog {
public:
    explicit ShortcutsDlg(wxWindow* parent);
};

} // namespace vexadra
