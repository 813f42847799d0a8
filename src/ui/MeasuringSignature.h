#pragma once
// What text measured on a context depends on besides a font's name and size and the
// context's scale: the fonts installed, fontconfig's configuration and the rendering
// options. Measurements remembered under one signature hold under the same signature.

#include <string>

#include <wx/dc.h>

namespace vexadra {

// Empty when the context does not draw with cairo: then nothing measured is kept.
std::string MeasuringSignature(wxDC& dc);

} // namespace vexadra
