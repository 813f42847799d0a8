// Start-up: the command line first (it needs no display), then a clear message instead
// of a toolkit failure when there is no display.
// The end: never waits for a sound device search.

#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/init.h>

#include "app/AppTexts.h"
#include "app/CVexadraApp.h"
#include "app/CommandLine.h"
#include "app/QuietSound.h"
#include "app/StartupOptions.h"
#include "app/Translations.h"
#include "i18n/Translate.h"
#include "sound/DeferredCueBackend.h"

namespace {
bool HasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}
} // namespace

int main(int argc, char** argv)
{
    using namespace vexadra;
    StartupOptions options = ReadStartupOptions();
    // Before anything is said, so that the usage and the messages below are translated.
    InstallTranslations();
    if (const auto status = ParseCommandLine(argc, argv, options)) {
        RemoveTranslations();
        return *status;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "%s\n", Tr(kNoDisplayMessage).c_str());
        RemoveTranslations();
        return 1;
    }
    ChooseSoundDrivers();
    theApp = new CVexadraApp(options);
    wxApp::SetInstance(theApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "%s\n", Tr(kNoDisplayMessage).c_str());
        return 1;
    }
    int status = 1;
    if (wxTheApp->CallOnInit()) {
        status = wxTheApp->OnRun();
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    if (DeferredCueBackend::ThreadsLeftRunning() > 0) {
        // Still looking for a sound device: end now rather than wait for it, and without
        // tearing down the libraries that search is running in.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
