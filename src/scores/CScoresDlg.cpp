#include "scores/CScoresDlg.h"

#include <algorithm>
#include <utility>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/font.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
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

// A control keeps at least the size its theme and label need. What grows taller moves
// everything below it down; what grows wider moves the rest of its row to the right.
struct Growth {
    int x = 0;
    int y = 0;
};

Growth Place(wxWindow* control, wxRect rect, Growth shift)
{
    rect.x += shift.x;
    rect.y += shift.y;
    const wxSize best = control->GetBestSize();
    const Growth grow{std::max(0, best.x - rect.width), std::max(0, best.y - rect.height)};
    rect.width += grow.x;
    rect.height += grow.y;
    control->SetSize(rect);
    return grow;
}

// The window manager writes the title in its own font, mostly a bold one of about the
// desktop's size, between the title bar's edges; a dialog narrower than that gets its
// title cut. Room for two lines' height on either side covers the edges and a button.
int TitleWidth(wxDialog* dialog)
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.MakeBold();
    wxCoord width = 0;
    wxCoord height = 0;
    dialog->GetTextExtent(dialog->GetTitle(), &width, &height, nullptr, nullptr, &font);
    return width + 4 * height;
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

    // The row above the list grows to the right; the list, the Exit button under its
    // middle and the dialog widen with it, so the margins stay as written.
    int shiftY = 0;
    int rowGrowth = 0;
    const std::pair<wxWindow*, wxRect> row[] = {{heading, DialogRect(dialog, 10, 10, 177, 11)},
                                                {leftSum, DialogRect(dialog, 191, 9, 45, 11)},
                                                {rightSum, DialogRect(dialog, 238, 9, 45, 11)}};
    for (const auto& [control, rect] : row) {
        const Growth grow = Place(control, rect, {rowGrowth, 0});
        rowGrowth += grow.x;
        shiftY = std::max(shiftY, grow.y);
    }
    wxRect listRect = DialogRect(dialog, 10, 23, 289, 182);
    listRect.width += rowGrowth;
    shiftY += Place(list, listRect, {0, shiftY}).y;
    wxRect exitRect = DialogRect(dialog, 132, 217, 50, 14);
    exitRect.x += rowGrowth / 2;
    // Its middle stays where it was when the label needs more room.
    exitRect.x -= std::max(0, exit->GetBestSize().x - exitRect.width) / 2;
    shiftY += Place(exit, exitRect, {0, shiftY}).y;

    wxSize client = dialog->ConvertDialogToPixels(wxSize(313, 235));
    client.x += rowGrowth;
    client.y += shiftY;
    // A longer title widens the dialog too, with everything kept in the middle; no wider
    // than the screen, where a cut title is the lesser harm.
    const int screenWidth = wxSystemSettings::GetMetric(wxSYS_SCREEN_X, dialog);
    const int titleRoom = std::min(TitleWidth(dialog), screenWidth > 0 ? screenWidth : client.x);
    if (titleRoom > client.x) {
        const int offset = (titleRoom - client.x) / 2;
        for (wxWindow* control : dialog->GetChildren())
            control->Move(control->GetPosition() + wxPoint(offset, 0));
        client.x = titleRoom;
    }
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
