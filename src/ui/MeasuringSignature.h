#pragma once
// What text measured on a context depends on besides a font's name and size and the
// window's scale (which the window knows): the fonts installed, fontconfig's
// configuration and the rendering options.

#include <string>

#include <wx/dc.h>

namespace vexadra {

// Empty when the context does not draw with cairo: then nothing measured is kept.
std::string MeasuringSignature(wxDC& dc);

} // namespace vexadra
