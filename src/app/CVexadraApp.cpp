#include "app/CVexadraApp.h"

#include <chrono>
#include <fstream>
#include <thread>
#include <utility>

#include "app/CMainFrame.h"
#include "app/QuietSound.h"
#include "sound/Cues.h"
#include "sound/DeferredCueBackend.h"
#include "sound/SdlAudioLibrary.h"
#include "sound/SdlCueBackend.h"
#include "ui/NativeCalls.h"

#include <wx/evtloop.h>
#include <wx/log.h>

namespace vexadra {

CVexadraApp* theApp = nullptr;

namespace {
// Set once the window is closing: nothing holds the game up any longer, so that the
// program ends at once even in the middle of a round's end.
bool g_bEnding = false;

// While a cue holds the game up, only paints go on: clicks and keys wait in the queue
// and are handled once the cue has ended. Runs on the window's thread; false once the
// hold should end.
bool LetPaintsThrough()
{
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI);
    return !g_bEnding;
}

// With the sound off the round's end still takes as long as its sounds would.
void HoldSilently(std::chrono::milliseconds length)
{
    const auto until = std::chrono::steady_clock::now() + length;
    for (auto now = std::chrono::steady_clock::now(); now < until && LetPaintsThrough();
         now = std::chrono::steady_clock::now())
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(std::chrono::milliseconds(5), until - now));
}
} // namespace

CVexadraApp::CVexadraApp(StartupOptions options) : m_options(std::move(options)) {}
CVexadraApp::~CVexadraApp() = default;

bool CVexadraApp::OnInit()
{
#ifdef NDEBUG
    // The toolkit's notes to its own developers (under Wayland "window wxMenuBar... lost
    // focus even though it didn't have it" at each menu) are no business of a player's
    // terminal; warnings and errors still get through.
    wxLog::SetLogLevel(wxLOG_Info);
#endif
    // Nothing is kept but the two remembered choices: no recent files, no window places.
    SetAppName("vexadra");
    SetAppDisplayName("Vexadra");
    m_store = SettingsStore::ForUser();
    m_remembered = m_store.Load();
    SetSoundOn(m_remembered.sound);
    SetSilentHold(HoldSilently);
    InstallCues();
    StartFontSetUp();
    auto* frame = new CMainFrame(m_options);
    frame->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        g_bEnding = true;
        if (m_cues)
            m_cues->EndHolds();
        event.Skip();
    });
    SetTopWindow(frame);
    frame->ShowFullScreenSized();
    return true;
}

void CVexadraApp::StartFontSetUp()
{
    // Pango sets fontconfig up on a thread of its own once its font map exists. Made here,
    // that runs while the toolkit builds the window; made by the menu bar's first
    // measurement, as it would be, the window waits for it.
    if (const auto fontMap = native::Find<void* (*)()>("pango_cairo_font_map_get_default"))
        fontMap();
}

void CVexadraApp::InstallCues()
{
    m_cues = std::make_unique<DeferredCueBackend>([]() -> std::unique_ptr<CueBackend> {
        QuietAlsa();
        auto cues = std::make_unique<SdlCueBackend>();
        cues->SetWaitIdle(LetPaintsThrough);
        return cues;
    });
    // The tests' word that a cue played from now on is heard.
    if (const std::string trace = m_options.view.tracePath; !trace.empty())
        m_cues->SetReadyHook([trace] {
            std::ofstream(trace, std::ios::app)
                << "sound ready at=" << std::chrono::system_clock::now().time_since_epoch().count() << '\n';
        });
    SetCueBackend(m_cues.get());
}

int CVexadraApp::FilterEvent(wxEvent& event)
{
    // No sound is needed before the first move, and no icon before the window is seen:
    // the icons, the sound library and the device search come once the window has
    // painted, so that none of them delays the first paint.
    if (!m_bPainted && event.GetEventType() == wxEVT_PAINT) {
        m_bPainted = true;
        CallAfter([this] {
            if (auto* frame = dynamic_cast<CMainFrame*>(GetTopWindow()))
                frame->SetAppIcons();
            if (m_cues)
                m_cues->Start();
        });
    }
    return wxApp::FilterEvent(event);
}

int CVexadraApp::OnExit()
{
    SetCueBackend(nullptr);
    SetSilentHold(nullptr);
    m_cues.reset();
    // The sound library's own leftovers, unless a sound thread is still inside it.
    if (DeferredCueBackend::ThreadsLeftRunning() == 0)
        ShutDownSdlAudio();
    return wxApp::OnExit();
}

} // namespace vexadra
