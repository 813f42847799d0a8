#include "app/AppTexts.h"

namespace vexadra {

const char* const kAppName = "Vexadra";
const char* const kUntitled = "Untitled";
const char* const kAboutTitle = "About Vexadra";
const char* const kAboutVersionText = "Vexadra Version D603";
const char* const kAboutNotice = "Copyright (C) 2003 Larchfield Pocket Games";
const char* const kTooSmallMessage =
    "Program Abort: This game needs a minimum screen width of 800 and a minimum screen height of 600.";
const char* const kNoDisplayMessage =
    "vexadra: cannot open a display. Start Vexadra from a graphical desktop session (DISPLAY or WAYLAND_DISPLAY).";

} // namespace vexadra
