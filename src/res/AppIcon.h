#pragma once
// The program's icon: two boards of coloured squares and coloured bars.

#include <cstddef>
#include <span>

namespace vexadra {

// As SVG text, for any size.
const char* AppIconSvg();

// Rendered from the SVG at build time as PNG files, one for each size a window manager
// asks a window for (16 to 128 pixels square).
struct IconImage {
    int side;
    const unsigned char* png;
    std::size_t size;
};
std::span<const IconImage> AppIconImages();

} // namespace vexadra
