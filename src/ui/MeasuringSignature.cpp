#include "ui/MeasuringSignature.h"

#include <sys/stat.h>

#include <cstdint>
#include <sstream>

#include <wx/graphics.h>

#include "ui/LayoutMemo.h"
#include "ui/NativeCalls.h"

namespace vexadra {

namespace {

extern "C" {
using GetTarget = void* (*)(void* cairo);
using NewOptions = void* (*)();
using GetFontOptions = void (*)(void* surface, void* options);
using HashOptions = unsigned long (*)(const void* options);
using DropOptions = void (*)(void* options);
using GetFileList = void* (*)(void* config);
using NextFile = const char* (*)(void* list);
using DropFileList = void (*)(void* list);
}

// The rendering options text is measured with: the target surface's (hinting,
// antialiasing), which the layouts of a cairo context take over.
struct CairoCalls {
    GetTarget target = native::Find<GetTarget>("cairo_get_target");
    NewOptions create = native::Find<NewOptions>("cairo_font_options_create");
    GetFontOptions get = native::Find<GetFontOptions>("cairo_surface_get_font_options");
    HashOptions hash = native::Find<HashOptions>("cairo_font_options_hash");
    DropOptions destroy = native::Find<DropOptions>("cairo_font_options_destroy");

    bool Complete() const { return target && create && get && hash && destroy; }
};

struct FontconfigCalls {
    GetFileList configFiles = native::Find<GetFileList>("FcConfigGetConfigFiles");
    GetFileList cacheDirs = native::Find<GetFileList>("FcConfigGetCacheDirs");
    NextFile next = native::Find<NextFile>("FcStrListNext");
    DropFileList done = native::Find<DropFileList>("FcStrListDone");

    bool Complete() const { return configFiles && cacheDirs && next && done; }
};

// Each file or folder of the list with its time of change and size: fonts installed or
// removed rewrite fontconfig's caches, and a changed configuration is a changed file.
void AddFiles(std::ostringstream& out, const FontconfigCalls& calls, void* list)
{
    if (list == nullptr)
        return;
    std::string files;
    while (const char* name = calls.next(list)) {
        struct stat status {};
        files += name;
        if (stat(name, &status) == 0)
            files += ':' + std::to_string(status.st_mtim.tv_sec) + '.' + std::to_string(status.st_mtim.tv_nsec) + ':' +
                     std::to_string(status.st_size);
        files += '\n';
    }
    calls.done(list);
    out << std::hex << TextKey(files) << std::dec;
}

} // namespace

std::string MeasuringSignature(wxDC& dc)
{
    static const CairoCalls cairoCalls;
    static const FontconfigCalls fontconfig;
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    void* cairo = graphics != nullptr ? graphics->GetNativeContext() : nullptr;
    if (!cairoCalls.Complete() || !fontconfig.Complete() || cairo == nullptr)
        return {};
    // Pango's resolution needs no place here: the layouts of a cairo context keep the
    // font map's, which nothing changes.
    void* options = cairoCalls.create();
    cairoCalls.get(cairoCalls.target(cairo), options);
    std::ostringstream out;
    out << "options=" << cairoCalls.hash(options) << " config=";
    cairoCalls.destroy(options);
    AddFiles(out, fontconfig, fontconfig.configFiles(nullptr));
    out << " caches=";
    AddFiles(out, fontconfig, fontconfig.cacheDirs(nullptr));
    return out.str();
}

} // namespace vexadra
