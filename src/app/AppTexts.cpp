#include "app/AppTexts.h"

#include "i18n/Translate.h"

namespace vexadra {

const char* const kAppName = "Vexadra";
const char* const kUntitled = N_("Untitled");
const char* const kAboutTitle = N_("About Vexadra");
const char* const kAboutVersionText = N_("Vexadra Version D603");
const char* const kAboutNotice = N_("Copyright (C) 2003 Larchfield Pocket Games");
const char* const kTooSmallMessage =
    N_("Program Abort: This game needs a minimum screen width of 800 and a minimum screen height of 600.");
const char* const kNoDisplayMessage =
    N_("vexadra: cannot open a display. Start Vexadra from a graphical desktop session (DISPLAY or WAYLAND_DISPLAY).");
const char* const kUsage =
    N_("Usage: vexadra [--opponent=two|easy|normal|hard|expert] [--help] [--version]\n"
       "\n"
       "Options:\n"
       "  --opponent=WHO   who plays the right side: two (two players, the default),\n"
       "                   or the computer at easy, normal, hard or expert\n"
       "  -h, --help       show this help and exit\n"
       "  --version        show the version and exit\n");
const char* const kUnknownOption = N_("unknown option '%s'");
const char* const kStrayArgument = N_("unexpected argument '%s'");
const char* const kOptionNeedsValue = N_("option '%s' needs a value");
const char* const kOptionTakesNoValue = N_("option '%s' takes no value");
const char* const kUnknownOpponent = N_("unknown opponent '%s' (two, easy, normal, hard or expert)");

} // namespace vexadra
