#pragma once
// The version label the window caption and the printout carry.

#include <string>

namespace vexadra {

extern const std::string g_strVersion;  // "D604"

} // namespace vexadra
