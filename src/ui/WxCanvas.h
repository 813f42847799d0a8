#pragma once
// The Canvas over a wxWidgets drawing context: the window's off-screen image, or a
// printer's page.

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <wx/dc.h>
#include <wx/font.h>

#include "ui/Canvas.h"
#include "ui/LayoutMemo.h"
#include "ui/PangoMeasure.h"

namespace vexadra {

class WxCanvas final : public Canvas {
public:
    // depth 0 asks the display for its colour depth when a colour is first resolved;
    // any other value stands for the display's (tests pin it).
    explicit WxCanvas(wxDC& dc, int displayDepth = 0);

    // The context to draw on; the selected font carries over. The canvas does not own it.
    void SetDC(wxDC& dc);
    wxDC& DC() const { return *m_dc; }
    void SetDisplayDepth(int depth) { m_depth = depth; }
    // How many fonts have been made so far: each FontSpec is made once.
    std::size_t CachedFontCount() const { return m_fonts.size(); }
    // Where the point sizes found are remembered and looked up first; none when null.
    void SetLayoutMemo(LayoutMemo* memo) { m_memo = memo; }

    ColorRef NearestColor(ColorRef wanted) const override;
    void FillRect(const Rect& rect, ColorRef color) override;
    void Rectangle(const Rect& rect, int penWidth, ColorRef fill) override;
    void Polygon(const Point* points, int count, ColorRef fill) override;
    void SelectFont(const FontSpec& font) override;
    Size TextExtent(std::string_view text) override;
    int LineHeight() override;
    void DrawText(std::string_view text, int x, int y, ColorRef color) override;
    void SetClip(const Rect& rect) override;
    void ResetClip() override;

private:
    const wxFont& FontFor(const FontSpec& wanted);
    const wxString& UsableFace(const std::string& face);
    int PointSizeFor(wxFont& font, int height);
    int CellHeight(wxFont& font, int points);

    wxDC* m_dc;
    mutable int m_depth;
    std::deque<std::pair<FontSpec, wxFont>> m_fonts;  // a deque keeps m_selected valid as it grows
    std::vector<std::pair<std::string, wxString>> m_faces;
    const wxFont* m_selected = nullptr;
    PangoMeasure m_measure;
    double m_cellPerPoint = 1.5;  // pixels of character cell per point, as last measured
    std::map<std::pair<wxString, bool>, std::map<int, int>> m_cells;  // (face, bold): points -> cell
    LayoutMemo* m_memo = nullptr;
};

} // namespace vexadra
