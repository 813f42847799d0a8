// Start-up: a clear message instead of a toolkit failure when there is no display.

#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/init.h>

#include "app/AppTexts.h"
#include "app/CVexadraApp.h"
#include "app/Translations.h"
#include "i18n/Translate.h"

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
    theApp = new CVexadraApp;
    wxApp::SetInstance(theApp);
    // The catalogues are looked up through the application's paths, so only now; but
    // before anything is said, so that even the messages below are translated.
    InstallTranslations();
    if (!HasDisplay()) {
        std::fprintf(stderr, "%s\n", Tr(kNoDisplayMessage).c_str());
        RemoveTranslations();
        wxApp::SetInstance(nullptr);
        delete theApp;
        return 1;
    }
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
    return status;
}
