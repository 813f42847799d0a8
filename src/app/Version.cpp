#include "app/Version.h"

namespace vexadra {

const std::string g_strVersion = "D604";

} // namespace vexadra
