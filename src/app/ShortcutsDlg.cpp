#include "app/ShortcutsDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "app/Shortcuts.h"
#include "i18n/Translate.h"

namespace vexadra {

ShortcutsDlg::ShortcutsDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Keyboard Shortcuts"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    const int gap = ConvertDialogToPixels(wxSize(7, 0)).x;
    auto* table = new wxFlexGridSizer(2, gap / 2, 2 * gap);
    const int wrapWidth = ConvertDialogToPixels(wxSize(200, 0)).x;
    for (const Shortcut& shortcut : Shortcuts()) {
        auto* keys = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(Tr(shortcut.keys)));
        keys->SetFont(keys->GetFont().Bold());
        auto* action = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(Tr(shortcut.action)));
        action->Wrap(wrapWidth);
        table->Add(keys, 0, wxALIGN_TOP);
        table->Add(action, 0, wxALIGN_TOP);
    }
    auto* close = new wxButton(this, wxID_OK, _("&Close"));
    close->SetDefault();
    SetEscapeId(wxID_OK);

    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(table, 1, wxEXPAND | wxALL, 2 * gap);
    outer->Add(close, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 2 * gap);
    SetSizerAndFit(outer);
    close->SetFocus();
    CentreOnParent();
}

} // namespace vexadra
