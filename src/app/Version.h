#pragma once
// The version label the window caption and the printout carry. The About box shows its
// own, older label on purpose.

#include <string>

namespace vexadra {

extern const std::string g_strVersion;        // "D604"
extern const char* const kAboutVersionText;   // "Vexadra Version D603"
extern const char* const kAppName;            // "Vexadra": caption of every message box

} // namespace vexadra
