#pragma once
// Calls into the libraries under the toolkit (GDK, cairo, Pango, GObject) for the few
// things wxWidgets has no word for. Those libraries are loaded with the toolkit, so
// their functions are looked up there rather than linked against a second time, which
// would also need their development headers.

#include <dlfcn.h>

namespace vexadra::native {

template <typename Function>
Function Find(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

} // namespace vexadra::native
