#include "app/CAboutDlg.h"

#include <wx/bmpbndl.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "app/AppTexts.h"
#include "res/AppIcon.h"

namespace vexadra {

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxGetTranslation(kAboutTitle), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU)
{
    auto* icon = new wxStaticBitmap(this, wxID_ANY, wxBitmapBundle::FromSVG(AppIconSvg(), wxSize(32, 32)));
    auto* texts = new wxBoxSizer(wxVERTICAL);
    texts->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kAboutVersionText)));
    texts->AddSpacer(ConvertDialogToPixels(wxSize(0, 7)).y);
    texts->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation(kAboutNotice)));

    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();

    const int gap = ConvertDialogToPixels(wxSize(7, 0)).x;
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(icon, 0, wxALIGN_TOP | wxRIGHT, gap);
    row->Add(texts, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * gap);
    row->Add(ok, 0, wxALIGN_TOP);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(row, 1, wxEXPAND | wxALL, gap);
    SetSizerAndFit(outer);
    ok->SetFocus();
    CentreOnParent();
}

} // namespace vexadra
