#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "scores/CScoresDlg.h"
#include "support/ShippedLanguage.h"

using namespace vexadra;

namespace {

// wxDynamicCast's compile-time check is itself a downcast that UBSan flags when the
// object is of another class; asking the class info first is the same test without it.
template <typename T>
T* As(wxObject* object)
{
    return object != nullptr && object->IsKindOf(wxCLASSINFO(T)) ? static_cast<T*>(object) : nullptr;
}


struct ShownMessage {
    wxString message;
    wxString caption;
    long style;
    wxWindow* parent;
    bool parentOpen;
    std::vector<wxString> listWhileShown;
};

std::vector<wxString> ListLines(wxDialog* dialog)
{
    auto* list = As<wxListBox>(dialog->FindWindow(IDC_SCORE_LIST));
    std::vector<wxString> lines;
    if (list)
        for (unsigned i = 0; i < list->GetCount(); ++i)
            lines.push_back(list->GetString(i));
    return lines;
}

std::vector<wxString> Expected(const ScoreHistory& history)
{
    std::vector<wxString> lines;
    for (const std::string& line : history.BuildListLines())
        lines.push_back(wxString::FromUTF8(line));
    return lines;
}

// Records the explanations instead of opening a real message box, which would wait for
// a player.
class RecordingScoresDlg : public CScoresDlg {
public:
    std::vector<ShownMessage> shown;

protected:
    int ShowMessage(const wxString& message, const wxString& caption, long style,
                    wxWindow* parent) override
    {
        auto* dialog = As<wxDialog>(parent);
        shown.push_back({message, caption, style, parent, dialog && dialog->IsModal(),
                         dialog ? ListLines(dialog) : std::vector<wxString>{}});
        return wxOK;
    }
};

void Settle()
{
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

wxDialog* OpenScoresDialog()
{
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = As<wxDialog>(window);
            dialog && dialog->GetId() == IDD_SCORES && dialog->IsModal())
            return dialog;
    return nullptr;
}

// Runs DoModal and calls whileOpen from inside its modal loop once the window is up.
// A dialog still open ten seconds later is a failure and is closed, so no test hangs.
int RunModal(CScoresDlg& scores, const std::function<void(wxDialog*)>& whileOpen)
{
    wxTimer start;
    start.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxDialog* dialog = OpenScoresDialog();
        ASSERT_NE(dialog, nullptr);
        Settle();
        whileOpen(dialog);
    });
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (wxDialog* dialog = OpenScoresDialog()) {
            ADD_FAILURE() << "the scores dialog did not close";
            dialog->EndModal(-1);
        }
    });
    start.StartOnce(200);
    watchdog.StartOnce(10000);
    return scores.DoModal(nullptr);
}

void ClickOn(wxWindow* control)
{
    wxUIActionSimulator sim;
    sim.MouseMove(control->GetScreenRect().GetPosition() + control->GetSize() / 2);
    Settle();
    sim.MouseClick();
    Settle();
}

void Press(int key)
{
    wxUIActionSimulator sim;
    sim.Char(key);
    Settle();
}

// Saves the part of the screen given when VEXADRA_SCORES_SCREENSHOT names a file; the
// name is suffixed so several shots of one run do not overwrite each other.
void Screenshot(const wxRect& rect, const char* suffix)
{
    const char* path = std::getenv("VEXADRA_SCORES_SCREENSHOT");
    if (!path)
        return;
    wxScreenDC screen;
    wxBitmap bitmap(rect.GetSize());
    wxMemoryDC memory(bitmap);
    memory.Blit(wxPoint(0, 0), rect.GetSize(), &screen, rect.GetPosition());
    memory.SelectObject(wxNullBitmap);
    bitmap.SaveFile(wxString(path) + suffix, wxBITMAP_TYPE_PNG);
}

class ScoresDialog : public testing::Test {
protected:
    void SetUp() override
    {
        scores.RecordGame(20, 5, 4);
        scores.RecordGame(-3, 12, 2);
        scores.RecordGame(7, 7, 11);
    }

    RecordingScoresDlg scores;
};

TEST_F(ScoresDialog, WindowCarriesTheTitleHeadingButtonsAndTheListOfTheHistory)
{
    wxDialog* dialog = scores.BuildWindow(nullptr);

    EXPECT_EQ(dialog->GetTitle(),
              "Vexadra - Scores From Completed Games. Most Recent Game is at the Top of the List");
    EXPECT_TRUE(dialog->HasFlag(wxCAPTION));
    EXPECT_FALSE(dialog->HasFlag(wxCLOSE_BOX));
    EXPECT_FALSE(dialog->HasFlag(wxSYSTEM_MENU));

    auto* list = As<wxListBox>(dialog->FindWindow(IDC_SCORE_LIST));
    auto* left = As<wxButton>(dialog->FindWindow(IDC_LEFT_SUM));
    auto* right = As<wxButton>(dialog->FindWindow(IDC_RIGHT_SUM));
    auto* exit = As<wxButton>(dialog->FindWindow(wxID_OK));
    ASSERT_TRUE(list && left && right && exit);
    EXPECT_EQ(left->GetLabel(), "Left Sum");
    EXPECT_EQ(right->GetLabel(), "Right Sum");
    EXPECT_EQ(exit->GetLabel(), "Exit");
    EXPECT_EQ(dialog->GetDefaultItem(), exit);

    wxStaticText* heading = nullptr;
    for (wxWindow* child : dialog->GetChildren())
        if (auto* text = As<wxStaticText>(child))
            heading = text;
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->GetLabel(), " Game#    Left Side   Right Side    #Rounds");

    EXPECT_EQ(ListLines(dialog), Expected(scores));
    EXPECT_TRUE(list->GetFont().IsFixedWidth());
    EXPECT_TRUE(list->HasFlag(wxLB_ALWAYS_SB));

    // Heading and sum buttons in a row above the list, Exit centred below it, and a
    // whole list line fits the list without scrolling sideways.
    const wxRect listRect = list->GetRect();
    for (wxWindow* above : {static_cast<wxWindow*>(heading), static_cast<wxWindow*>(left),
                            static_cast<wxWindow*>(right)})
        EXPECT_LE(above->GetRect().GetBottom(), listRect.GetTop());
    EXPECT_LT(heading->GetRect().GetRight(), left->GetRect().GetLeft());
    EXPECT_LT(left->GetRect().GetRight(), right->GetRect().GetLeft());
    EXPECT_GE(exit->GetRect().GetTop(), listRect.GetBottom());
    EXPECT_LE(exit->GetRect().GetBottom(), dialog->GetClientSize().y);
    EXPECT_NEAR(exit->GetRect().GetLeft() + exit->GetRect().width / 2,
                dialog->GetClientSize().x / 2, 4);
    EXPECT_LE(list->GetTextExtent(wxString(' ', 64)).x, list->GetClientSize().x);

    dialog->Destroy();
}

// Every label has the room its theme asks for, the row above the list keeps its order
// within the list's width, and the title fits a bold caption of the desktop's font.
class TranslatedScoresDialog : public testing::TestWithParam<const char*> {};

TEST_P(TranslatedScoresDialog, TitleAndLabelsFit)
{
    const std::string code = GetParam();
    const Language language(code);
    ASSERT_EQ(language.Found(), code != "en");
    CScoresDlg scores;
    scores.RecordGame(20, 5, 4);
    wxDialog* dialog = scores.BuildWindow(nullptr);
    const wxRect client(dialog->GetClientSize());
    wxWindow* list = dialog->FindWindow(IDC_SCORE_LIST);
    wxWindow* left = dialog->FindWindow(IDC_LEFT_SUM);
    wxWindow* right = dialog->FindWindow(IDC_RIGHT_SUM);
    wxWindow* heading = nullptr;
    for (wxWindow* child : dialog->GetChildren())
        if (As<wxStaticText>(child))
            heading = child;
    ASSERT_TRUE(list && left && right && heading);

    for (wxWindow* control : {heading, left, right, dialog->FindWindow(wxID_OK), list}) {
        SCOPED_TRACE(control->GetLabel().utf8_string());
        EXPECT_GE(control->GetSize().x, control->GetBestSize().x);
        EXPECT_TRUE(client.Contains(control->GetRect()));
    }
    EXPECT_LT(heading->GetRect().GetRight(), left->GetRect().GetLeft());
    EXPECT_LT(left->GetRect().GetRight(), right->GetRect().GetLeft());
    EXPECT_LE(right->GetRect().GetRight(), list->GetRect().GetRight());

    wxFont caption = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    caption.MakeBold();
    int titleWidth = 0;
    dialog->GetTextExtent(dialog->GetTitle(), &titleWidth, nullptr, nullptr, nullptr, &caption);
    EXPECT_GT(client.width, titleWidth);
    if (code == "en") {
        // Where the written layout has the room, it stays as written.
        EXPECT_EQ(left->GetPosition().x - list->GetPosition().x, dialog->ConvertDialogToPixels(wxSize(181, 0)).x);
    }
    dialog->Destroy();
}

INSTANTIATE_TEST_SUITE_P(Shipped, TranslatedScoresDialog, testing::Values("en", "de", "fr"));

TEST_F(ScoresDialog, ListIsFilledAfreshFromTheHistoryEachTimeItIsShown)
{
    std::vector<wxString> firstShowing;
    RunModal(scores, [&](wxDialog* dialog) {
        firstShowing = ListLines(dialog);
        dialog->EndModal(wxID_OK);
    });
    EXPECT_EQ(firstShowing, Expected(scores));

    scores.RecordGame(-1, 30, 5);
    std::vector<wxString> secondShowing;
    RunModal(scores, [&](wxDialog* dialog) {
        secondShowing = ListLines(dialog);
        dialog->EndModal(wxID_OK);
    });
    ASSERT_EQ(secondShowing.size(), 5u);
    EXPECT_EQ(secondShowing, Expected(scores));
    EXPECT_EQ(OpenScoresDialog(), nullptr);
}

TEST_F(ScoresDialog, SumButtonsExplainTheSumsOverTheStillOpenDialog)
{
    wxDialog* shownOver = nullptr;
    RunModal(scores, [&](wxDialog* dialog) {
        shownOver = dialog;
        Screenshot(dialog->GetScreenRect(), ".dialog.png");
        ClickOn(dialog->FindWindow(IDC_LEFT_SUM));
        ClickOn(dialog->FindWindow(IDC_RIGHT_SUM));
        ClickOn(dialog->FindWindow(IDC_LEFT_SUM));
        EXPECT_TRUE(dialog->IsModal());
        EXPECT_EQ(ListLines(dialog), Expected(scores));
        dialog->EndModal(wxID_OK);
    });

    ASSERT_EQ(scores.shown.size(), 3u);
    const wxString left = "For any line, this is the sum of all the Left Side scores beginning "
                          "with this line and ending with the last or bottom line of the list.";
    const wxString right = "For any line, this is the sum of all the Right Side scores beginning "
                           "with this line and ending with the last or bottom line of the list.";
    EXPECT_EQ(scores.shown[0].message, left);
    EXPECT_EQ(scores.shown[1].message, right);
    EXPECT_EQ(scores.shown[2].message, left);
    for (const ShownMessage& shown : scores.shown) {
        EXPECT_EQ(shown.caption, "Vexadra");
        EXPECT_EQ(shown.style, wxOK | wxICON_WARNING);
        EXPECT_EQ(shown.parent, shownOver);
        EXPECT_TRUE(shown.parentOpen);
        EXPECT_EQ(shown.listWhileShown, Expected(scores));
    }
}

TEST_F(ScoresDialog, OpensWithTheFocusOnExitAndEscapeOrEnterClosesIt)
{
    for (int key : {WXK_ESCAPE, WXK_RETURN}) {
        bool focusOnExit = false;
        bool closedByKey = false;
        RunModal(scores, [&](wxDialog* dialog) {
            focusOnExit = wxWindow::FindFocus() == dialog->FindWindow(wxID_OK);
            Press(key);
            closedByKey = !dialog->IsModal();
        });
        EXPECT_TRUE(focusOnExit) << "key " << key;
        EXPECT_TRUE(closedByKey) << "key " << key;
        EXPECT_EQ(OpenScoresDialog(), nullptr);
    }
}

TEST_F(ScoresDialog, TabMovesBetweenExitAndLeftSumOnly)
{
    std::vector<wxWindowID> focused;
    RunModal(scores, [&](wxDialog* dialog) {
        for (int i = 0; i < 3; ++i) {
            Press(WXK_TAB);
            wxWindow* focus = wxWindow::FindFocus();
            focused.push_back(focus ? focus->GetId() : wxID_NONE);
        }
        dialog->EndModal(wxID_OK);
    });
    EXPECT_EQ(focused, (std::vector<wxWindowID>{IDC_LEFT_SUM, wxID_OK, IDC_LEFT_SUM}));
}

TEST_F(ScoresDialog, ALineOfTheListCannotBeSelected)
{
    RunModal(scores, [&](wxDialog* dialog) {
        auto* list = As<wxListBox>(dialog->FindWindow(IDC_SCORE_LIST));
        ClickOn(list);
        EXPECT_EQ(list->GetSelection(), wxNOT_FOUND);
        EXPECT_EQ(ListLines(dialog), Expected(scores));
        dialog->EndModal(wxID_OK);
    });
}

TEST(ScoresDialogMessageBox, RealExplanationHoldsTheClickUntilAnsweredAndLeavesTheDialogOpen)
{
    CScoresDlg scores;
    scores.RecordGame(1, 2, 3);
    bool clickHandled = false;
    bool answeredWhileClickHeld = false;
    bool dialogStillOpen = false;
    wxTimer answer;
    answer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        // Without a message box the click would have been handled long ago.
        answeredWhileClickHeld = !clickHandled;
        Screenshot(wxRect(wxPoint(0, 0), wxGetDisplaySize()), ".box.png");
        Press(WXK_RETURN);
    });
    RunModal(scores, [&](wxDialog* dialog) {
        answer.StartOnce(1000);
        ClickOn(dialog->FindWindow(IDC_LEFT_SUM));
        clickHandled = true;
        dialogStillOpen = dialog->IsModal();
        dialog->EndModal(wxID_OK);
    });
    EXPECT_TRUE(answeredWhileClickHeld);
    EXPECT_TRUE(dialogStillOpen);
}

} // namespace
