#include "app/Version.h"

namespace vexadra {

const std::string g_strVersion = "D604";
const char* const kAboutVersionText = "Vexadra Version D603";
const char* const kAppName = "Vexadra";

} // namespace vexadra
