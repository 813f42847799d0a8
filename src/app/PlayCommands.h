#pragma once
// The commands that steer a game from the menus (New Game, Undo Move, Hint), the View
// menu's switches and the Help menu's entries, kept apart from the frame that holds them.

#include <wx/frame.h>
#include <wx/menu.h>

#include "app/Settings.h"

namespace vexadra {

class CVexadraView;

// Apart from Commands.h's, so that both lists can grow without meeting.
enum : int {
    ID_GAME_NEW = wxID_HIGHEST + 100,
    ID_GAME_HINT,
    ID_VIEW_NUMBERS,
    ID_VIEW_LAST_MOVE,
    ID_VIEW_REFUSED,
    ID_HELP_INSTRUCTIONS,
    ID_HELP_SCORES,
    ID_HELP_SHORTCUTS,
};

// New Game, Undo Move and Hint with a separator after them, at the top of the Game menu.
void AppendGameCommands(wxMenu& game);
wxMenu* BuildViewMenu(const Settings& remembered);
// Instructions, Scores and Keyboard Shortcuts, before About.
void AppendHelpCommands(wxMenu& help);

class PlayCommands {
public:
    // Binds the commands on the frame and gives the view the remembered switches.
    PlayCommands(wxFrame& frame, CVexadraView& view, const Settings& remembered);
    PlayCommands(const PlayCommands&) = delete;
    PlayCommands& operator=(const PlayCommands&) = delete;

private:
    void OnNewGame(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnUpdateUndo(wxUpdateUIEvent& event);
    void OnUpdateNumbers(wxUpdateUIEvent& event);
    void OnViewSwitch(wxCommandEvent& event);
    void OnHelpKey(wxCommandEvent& event);
    void ShowShortcuts();
    void OnFrameKey(wxKeyEvent& event);
    bool AbandonConfirmed();

    wxFrame& m_frame;
    CVexadraView& m_view;
};

} // namespace vexadra
