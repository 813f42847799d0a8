#pragma once
// Measures text the way the toolkit's cairo contexts do, through Pango, but with one
// layout kept for the context instead of a new layout (and Pango context) made for each
// measurement: the fitting of the instructions page measures hundreds of lines at the
// first paint.

#include <string_view>

#include <wx/dc.h>
#include <wx/font.h>

#include "ui/Canvas.h"

namespace vexadra {

class PangoMeasure {
public:
    PangoMeasure() = default;
    ~PangoMeasure();
    PangoMeasure(const PangoMeasure&) = delete;
    PangoMeasure& operator=(const PangoMeasure&) = delete;

    // The font the next measurements are in (as it is now: later changes to font do not
    // count).
    void SetFont(const wxFont& font);
    // The extent of one line on dc; false when dc does not draw with cairo (a printer's
    // context) or no font is set, and the caller asks the context itself.
    bool Measure(wxDC& dc, std::string_view text, Size& extent);
    // Drops the layout: the next measurement makes one for whatever context it is on.
    void Reset();

private:
    void* m_cairo = nullptr;   // the cairo_t the layout was made for
    void* m_layout = nullptr;  // PangoLayout*
    wxFont m_font;
    bool m_fontChanged = false;  // m_font is not yet the layout's
};

} // namespace vexadra
