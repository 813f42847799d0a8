#include "app/CVexadraApp.h"

#include "app/CMainFrame.h"
#include "app/StartupOptions.h"
#include "sound/Cues.h"
#include "sound/DeferredCueBackend.h"
#include "sound/SdlCueBackend.h"

#include <wx/evtloop.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vexadra {

CVexadraApp* theApp = nullptr;

CVexadraApp::CVexadraApp() = default;
CVexadraApp::~CVexadraApp() = default;

bool CVexadraApp::OnInit()
{
    // The game keeps nothing between runs: no settings file, no recent files.
    SetAppName("vexadra");
    SetAppDisplayName("Vexadra");
    StartupOptions options = ReadStartupOptions();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i].utf8_string());
    if (const std::string problem = ReadCommandLine(args, options); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return false;
    }
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

int CVexadraApp::OnExit()
{
    SetCueBackend(nullptr);
    m_cues.reset();
    return wxApp::OnExit();
}

} // namespace vexadra
