// Start-up: a clear message instead of a toolkit failure when there is no display.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/init.h>

#include "app/AppTexts.h"
#include "app/CVexadraApp.h"
#include "app/StartupOptions.h"

int main(int argc, char** argv)
{
    using namespace vexadra;
    // A malformed option is answered before anything else, display or not.
    StartupOptions checked;
    if (const std::string problem = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc), checked);
        !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 2;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((x11 == nullptr || *x11 == '\0') && (wayland == nullptr || *wayland == '\0')) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return 1;
    }
    theApp = new CVexadraApp;
    wxApp::SetInstance(theApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
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
