#include "app/PlayCommands.h"

#include <wx/msgdlg.h>
#include <wx/translation.h>

#include "app/AppTexts.h"
#include "app/CVexadraApp.h"
#include "app/Commands.h"
#include "app/ShortcutsDlg.h"
#include "game/Keys.h"
#include "ui/CVexadraView.h"

namespace vexadra {

void AppendGameCommands(wxMenu& game)
{
    game.Append(ID_GAME_NEW, _("Ne&w Game") + "\tCtrl+N");
    // The editing command the accelerator table has always claimed (with Alt+Backspace).
    game.Append(ID_EDIT_UNDO, _("&Undo Move") + "\tCtrl+Z");
    game.Append(ID_GAME_HINT, _("H&int") + "\tCtrl+H");
    game.AppendSeparator();
}

wxMenu* BuildViewMenu(const Settings& remembered)
{
    auto* view = new wxMenu;
    view->AppendCheckItem(ID_VIEW_NUMBERS, _("&Numbers"))->Check(remembered.numbers);
    view->AppendCheckItem(ID_VIEW_LAST_MOVE, _("Show &Last Move"))->Check(remembered.showLastMove);
    view->AppendCheckItem(ID_VIEW_REFUSED, _("Mark &Refused Moves"))->Check(remembered.markRefused);
    return view;
}

void AppendHelpCommands(wxMenu& help)
{
    help.Append(ID_HELP_INSTRUCTIONS, _("&Instructions") + "\tF1");
    help.Append(ID_HELP_SCORES, _("&Scores") + "\tF2");
    help.Append(ID_HELP_SHORTCUTS, _("&Keyboard Shortcuts") + "\tCtrl+?");
    help.AppendSeparator();
}

PlayCommands::PlayCommands(wxFrame& frame, CVexadraView& view, const Settings& remembered)
    : m_frame(frame), m_view(view)
{
    // Bound handlers come before the frame's table, which ignores ID_EDIT_UNDO.
    frame.Bind(wxEVT_MENU, &PlayCommands::OnNewGame, this, ID_GAME_NEW);
    frame.Bind(wxEVT_MENU, &PlayCommands::OnUndo, this, ID_EDIT_UNDO);
    frame.Bind(wxEVT_UPDATE_UI, &PlayCommands::OnUpdateUndo, this, ID_EDIT_UNDO);
    frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_view.ShowHint(); }, ID_GAME_HINT);
    frame.Bind(wxEVT_MENU, &PlayCommands::OnViewSwitch, this, ID_VIEW_NUMBERS, ID_VIEW_REFUSED);
    frame.Bind(wxEVT_UPDATE_UI, &PlayCommands::OnUpdateNumbers, this, ID_VIEW_NUMBERS);
    frame.Bind(wxEVT_MENU, &PlayCommands::OnHelpKey, this, ID_HELP_INSTRUCTIONS, ID_HELP_SCORES);
    frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowShortcuts(); }, ID_HELP_SHORTCUTS);
    frame.Bind(wxEVT_CHAR_HOOK, &PlayCommands::OnFrameKey, this);
    // Numbers only ever switched on before: a remembered "off" leaves the written start.
    if (remembered.numbers)
        m_view.SetNumbers(true);
    m_view.SetShowLastMove(remembered.showLastMove);
    m_view.SetMarkRefused(remembered.markRefused);
}

bool PlayCommands::AbandonConfirmed()
{
    const auto dialog = m_view.DialogShown();
    wxMessageDialog question(&m_frame, _("Abandon this game?"), kAppName,
                             wxOK | wxCANCEL | wxCANCEL_DEFAULT | wxICON_QUESTION);
    question.SetOKCancelLabels(_("&Abandon Game"), wxID_CANCEL);
    return question.ShowModal() == wxID_OK;
}

void PlayCommands::OnNewGame(wxCommandEvent&)
{
    if (m_view.Game().GameHasMoves() && !AbandonConfirmed())
        return;
    m_view.NewGame();
}

void PlayCommands::OnUndo(wxCommandEvent&) { m_view.UndoMove(); }

void PlayCommands::OnUpdateUndo(wxUpdateUIEvent& event) { event.Enable(m_view.CanUndo()); }

void PlayCommands::OnUpdateNumbers(wxUpdateUIEvent& event) { event.Check(m_view.Game().State().m_bNumbers); }

void PlayCommands::OnViewSwitch(wxCommandEvent& event)
{
    const bool on = event.IsChecked();
    const SettingsStore& store = theApp->Store();
    switch (event.GetId()) {
    case ID_VIEW_NUMBERS:
        m_view.SetNumbers(on);
        store.RememberSwitch(kNumbersKey, on);
        break;
    case ID_VIEW_LAST_MOVE:
        m_view.SetShowLastMove(on);
        store.RememberSwitch(kShowLastMoveKey, on);
        break;
    default:
        m_view.SetMarkRefused(on);
        store.RememberSwitch(kMarkRefusedKey, on);
        break;
    }
}

void PlayCommands::OnHelpKey(wxCommandEvent& event)
{
    m_view.PressKey(event.GetId() == ID_HELP_INSTRUCTIONS ? VK_F1 : VK_F2);
}

void PlayCommands::ShowShortcuts()
{
    const auto dialog = m_view.DialogShown();
    ShortcutsDlg shortcuts(&m_frame);
    shortcuts.ShowModal();
}

void PlayCommands::OnFrameKey(wxKeyEvent& event)
{
    // Ctrl+? is Ctrl+Shift+/ on most layouts, which a menu accelerator does not always
    // catch; the toolkit gives it as either key.
    const int code = event.GetKeyCode();
    const bool ctrl = (event.GetModifiers() & wxMOD_CONTROL) != 0;
    if (ctrl && (code == '?' || (code == '/' && event.ShiftDown()))) {
        ShowShortcuts();
        return;
    }
    event.Skip();
}

} // namespace vexadra
