#pragma once

#include <memory>

#include <wx/app.h>

#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "app/StartupOptions.h"

namespace vexadra {

class CMainFrame;
class DeferredCueBackend;

class CVexadraApp final : public wxApp {
public:
    explicit CVexadraApp(StartupOptions options);
    ~CVexadraApp() override;
    bool OnInit() override;
    int OnExit() override;
    int FilterEvent(wxEvent& event) override;

    // Where the player's choices are remembered between runs.
    const SettingsStore& Store() const { return m_store; }
    // The choices as they were when the run started.
    const Settings& RememberedAtStart() const { return m_remembered; }
    // Who plays the right side at start-up: --opponent, else the remembered choice.
    Opponent OpponentAtStart() const { return StartupOpponent(m_options.opponent, m_remembered); }

private:
    void InstallCues();
    void StartFontSetUp();

    StartupOptions m_options;
    SettingsStore m_store;
    Settings m_remembered;
    std::unique_ptr<DeferredCueBackend> m_cues;
    bool m_bPainted = false;
};

// The one application object, made before start-up.
extern CVexadraApp* theApp;

} // namespace vexadra
