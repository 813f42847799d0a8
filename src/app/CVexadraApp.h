#pragma once

#include <memory>

#include <wx/app.h>

namespace vexadra {

class CMainFrame;
class DeferredCueBackend;

class CVexadraApp final : public wxApp {
public:
    CVexadraApp();
    ~CVexadraApp() override;
    bool OnInit() override;
    int OnExit() override;
    int FilterEvent(wxEvent& event) override;

private:
    void InstallCues();

    std::unique_ptr<DeferredCueBackend> m_cues;
    bool m_bPainted = false;
};

// The one application object, made before start-up.
extern CVexadraApp* theApp;

} // namespace vexadra
