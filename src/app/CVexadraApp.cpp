#include "app/CVexadraApp.h"

#include "app/CMainFrame.h"
#include "app/StartupOptions.h"
#include "sound/Cues.h"
#include "sound/DeferredCueBackend.h"
#include "sound/SdlCueBackend.h"

#include <wx/evtloop.h>

namespace vexadra {

CVexadraApp* theApp = nullptr;

CVexadraApp::CVexadraApp() = default;
CVexadraApp::~CVexadraApp() = default;

bool CVexadraApp::OnInit()
{
    // The game keeps nothing between runs: no settings file, no recent files.
    SetAppName("vexadra");
    SetAppDisplayName("Vexadra");
    const StartupOptions options = ReadStartupOptions();
    InstallCues();
    auto* frame = new CMainFrame(options);
    SetTopWindow(frame);
    frame->ShowFullScreenSized();
    return true;
}

void CVexadraApp::InstallCues()
{
    m_cues = std::make_unique<DeferredCueBackend>([]() -> std::unique_ptr<CueBackend> {
        auto cues = std::make_unique<SdlCueBackend>();
        // While a cue holds the game up, only paints go on: clicks and keys wait in the
        // queue and are handled once the cue has ended. (The hook runs on the thread
        // that waits for the cue, the window's.)
        cues->SetWaitIdle([] {
            if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
                loop->YieldFor(wxEVT_CATEGORY_UI);
        });
        return cues;
    });
    SetCueBackend(m_cues.get());
}

int CVexadraApp::FilterEvent(wxEvent& event)
{
    // No sound is needed before the first move: the sound library and the device search
    // start once the window has painted, so that neither delays the first paint.
    if (!m_bPainted && event.GetEventType() == wxEVT_PAINT) {
        m_bPainted = true;
        CallAfter([this] {
            if (m_cues)
                m_cues->Start();
        });
    }
    return wxApp::FilterEvent(event);
}

int CVexadraApp::OnExit()
{
    SetCueBackend(nullptr);
    m_cues.reset();
    return wxApp::OnExit();
}

} // namespace vexadra
