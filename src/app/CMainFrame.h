#pragma once
// The main window: caption and menu, no buttons in the title bar, no sizing border;
// it fills the screen and holds the game view.

#include <wx/frame.h>

namespace vexadra {

class CVexadraView;
struct StartupOptions;

class CMainFrame final : public wxFrame {
public:
    explicit CMainFrame(const StartupOptions& options);

    CVexadraView* View() const { return m_view; }
    // Sizes the frame to the desktop's work area, shows it maximized and gives it the focus.
    void ShowFullScreenSized();

private:
    void BuildMenu(const StartupOptions& options);
    void BuildAccelerators();
    void OnExit(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);
    void OnIgnoredCommand(wxCommandEvent& event);
    void OnOpponent(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    CVexadraView* m_view = nullptr;

    wxDECLARE_EVENT_TABLE();
};

} // namespace vexadra
