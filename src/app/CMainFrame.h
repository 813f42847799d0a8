#pragma once
// The main window: an ordinary resizable window with a menu that starts maximized and
// holds the game view.

#include <memory>
#include <optional>

#include <wx/frame.h>

namespace vexadra {

class CVexadraView;
class ScreenChangeWatch;
struct StartupOptions;

class CMainFrame final : public wxFrame {
public:
    explicit CMainFrame(const StartupOptions& options);
    ~CMainFrame() override;

    CVexadraView* View() const { return m_view; }
    // Sizes the frame to the desktop's work area, shows it maximized and gives it the focus.
    void ShowFullScreenSized();
    // The window's icons, rendered from the drawing at the sizes window managers ask for.
    void SetAppIcons();

private:
    void BuildMenu();
    void BuildAccelerators();
    void OnExit(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);
    void OnIgnoredCommand(wxCommandEvent& event);
    void OnOpponent(wxCommandEvent& event);
    void OnSound(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void FollowWorkArea();
    void OnSize(wxSizeEvent& event);
    void FitIntoWorkArea();

    CVexadraView* m_view = nullptr;
    // The work area the window was last fitted to, and who tells of its changes.
    wxRect m_workArea;
    // The smallest client area the frame has had maximized on this screen: what the
    // desktop leaves it inside its panels, title bar and borders.
    std::optional<wxSize> m_maximizedClient;
    std::unique_ptr<ScreenChangeWatch> m_screenWatch;

    wxDECLARE_EVENT_TABLE();
};

} // namespace vexadra
