#include "scores/CScoresDlg.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/font.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "scores/ScoresTexts.h"

#ifdef __WXGTK3__
#include <dlfcn.h>
#endif

namespace vexadra {

CScoresDlg theScoresDlg;

namespace {

// A control that Tab passes over; the mouse still reaches it.
template <class Control>
class NoTabStop : public Control {
public:
    using Control::Control;
    bool AcceptsFocusFromKeyboard() const override { return false; }
};

// The layout is given in dialog units of the dialog's own fixed-pitch font, so that
// the list is wide enough for its 64-character lines whatever the font measures.
wxRect DialogRect(wxWindow* dialog, int x, int y, int width, int height)
{
    return wxRect(dialog->ConvertDialogToPixels(wxPoint(x, y)),
                  dialog->ConvertDialogToPixels(wxSize(width, height)));
}

// A control keeps at least the height its theme needs; everything below it moves down
// by what it grew, so nothing overlaps when the theme's buttons are tall.
int Place(wxWindow* control, wxRect rect, int shift)
{
    rect.y += shift;
    const int grow = std::max(0, control->GetBestSize().y - rect.height);
    rect.height += grow;
    control->SetSize(rect);
    return grow;
}

// GTK 3 hides a scroll bar until the pointer comes near it; the list keeps a visible
// one (without a slider while everything fits), so the player sees at once whether
// there are more games below. The toolkit's own headers are not part of the build, so
// the one call is looked up in the already loaded library.
void KeepScrollBarVisible([[maybe_unused]] wxListBox* list)
{
#ifdef __WXGTK3__
    using SetOverlayScrolling = void (*)(void* scrolledWindow, int overlay);
    static const auto setOverlayScrolling = reinterpret_cast<SetOverlayScrolling>(
        dlsym(RTLD_DEFAULT, "gtk_scrolled_window_set_overlay_scrolling"));
    if (setOverlayScrolling && list->GetHandle())
        setOverlayScrolling(list->GetHandle(), 0);
#endif
}

} // namespace

wxDialog* CScoresDlg::BuildWindow(wxWindow* parent)
{
    // Caption only: no system menu and so no close box.
    auto* dialog = new wxDialog(parent, IDD_SCORES, wxGetTranslation(kScoresTitle),
                                wxDefaultPosition, wxDefaultSize, wxCAPTION);
    dialog->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE)));

    // Created in tab order: Exit first, so it takes the focus when the dialog opens.
    auto* exit = new wxButton(dialog, wxID_OK, wxGetTranslation(kScoresExit));
    auto* list = new NoTabStop<wxListBox>(dialog, IDC_SCORE_LIST, wxDefaultPosition,
                                          wxDefaultSize, 0, nullptr,
                                          wxLB_SINGLE | wxLB_ALWAYS_SB);
    auto* heading = new wxStaticText(dialog, wxID_ANY, wxGetTranslation(kScoresHeading));
    auto* leftSum = new wxButton(dialog, IDC_LEFT_SUM, wxGetTranslation(kScoresLeftSum));
    auto* rightSum =
        new NoTabStop<wxButton>(dialog, IDC_RIGHT_SUM, wxGetTranslation(kScoresRightSum));

    int shift = std::max({Place(heading, DialogRect(dialog, 10, 10, 177, 11), 0),
                          Place(leftSum, DialogRect(dialog, 191, 9, 45, 11), 0),
                          Place(rightSum, DialogRect(dialog, 238, 9, 45, 11), 0)});
    shift += Place(list, DialogRect(dialog, 10, 23, 289, 182), shift);
    shift += Place(exit, DialogRect(dialog, 132, 217, 50, 14), shift);
    wxSize client = dialog->ConvertDialogToPixels(wxSize(313, 235));
    client.y += shift;
    dialog->SetClientSize(client);

    KeepScrollBarVisible(list);
    for (const std::string& line : BuildListLines())
        list->Append(wxString::FromUTF8(line));

    exit->SetDefault();
    exit->SetFocus();
    dialog->SetEscapeId(wxID_OK);

    // The list only shows; a click must not leave a line marked.
    list->Bind(wxEVT_LISTBOX, [list](wxCommandEvent&) { list->SetSelection(wxNOT_FOUND); });
    dialog->Bind(wxEVT_BUTTON, &CScoresDlg::OnLeftSum, this, IDC_LEFT_SUM);
    dialog->Bind(wxEVT_BUTTON, &CScoresDlg::OnRightSum, this, IDC_RIGHT_SUM);
    dialog->Centre();
    return dialog;
}

int CScoresDlg::DoModal(wxWindow* parent)
{
    wxDialog* dialog = BuildWindow(parent);
    const int result = dialog->ShowModal();
    dialog->Destroy();
    return result;
}

void CScoresDlg::OnLeftSum(wxCommandEvent& event) { ExplainSum(event, kLeftSumMessage); }

void CScoresDlg::OnRightSum(wxCommandEvent& event) { ExplainSum(event, kRightSumMessage); }

void CScoresDlg::ExplainSum(wxCommandEvent& event, const char* message)
{
    // Modal over the scores dialog, which stays open behind it.
    auto* button = wxDynamicCast(event.GetEventObject(), wxWindow);
    wxWindow* dialog = button ? wxGetTopLevelParent(button) : nullptr;
    ShowMessage(wxGetTranslation(message), wxString::FromUTF8(kMessageCaption),
                wxOK | wxICON_WARNING, dialog);
}

int CScoresDlg::ShowMessage(const wxString& message, const wxString& caption, long style,
                            wxWindow* parent)
{
    return wxMessageBox(message, caption, style, parent);
}

} // namespace vexadra
