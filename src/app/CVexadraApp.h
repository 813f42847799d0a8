#pragma once

#include <memory>

#include <wx/app.h>

namespace vexadra {

class CMainFrame;
class CueBackend;

class CVexadraApp final : public wxApp {
public:
    CVexadraApp();
    ~CVexadraApp() override;
    bool OnInit() override;
    int OnExit() override;

private:
    void InstallCues();

    std::unique_ptr<CueBackend> m_cues;
};

// The one application object, made before start-up.
extern CVexadraApp* theApp;

} // namespace vexadra
