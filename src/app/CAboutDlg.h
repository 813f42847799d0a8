#pragma once

#include <wx/dialog.h>

namespace vexadra {

// The About box: icon, version label, maker's notice and OK.
class CAboutDlg final : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);
};

} // namespace vexadra
