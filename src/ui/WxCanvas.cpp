#include "ui/WxCanvas.h"

#include <algorithm>

#include <wx/brush.h>
#include <wx/dcscreen.h>
#include <wx/fontenum.h>
#include <wx/gdicmn.h>
#include <wx/graphics.h>
#include <wx/pen.h>

#include "ui/DisplayColor.h"

namespace vexadra {

namespace {

wxColour ToWx(ColorRef c) { return wxColour(GetRValue(c), GetGValue(c), GetBValue(c)); }

wxString ToWx(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

// Used when a face is not installed, Microsoft's above all; fontconfig maps Arial itself.
const char* const kStandInFaces[] = {"Liberation Sans", "DejaVu Sans"};

// Where a face's size search starts before any face was measured.
constexpr int kFirstGuessPoints = 12;

} // namespace

WxCanvas::WxCanvas(wxDC& dc, int displayDepth) : m_dc(&dc), m_depth(displayDepth) {}

void WxCanvas::SetDC(wxDC& dc)
{
    m_dc = &dc;
    m_measure.Reset();
    m_cells.clear();  // another context may have another scale
    if (m_selected != nullptr)
        m_dc->SetFont(*m_selected);
}

ColorRef WxCanvas::NearestColor(ColorRef wanted) const
{
    if (m_depth <= 0)
        m_depth = wxDisplayDepth();
    return NearestColorAtDepth(wanted, m_depth);
}

void WxCanvas::FillRect(const Rect& rect, ColorRef color)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    m_dc->SetPen(*wxTRANSPARENT_PEN);
    m_dc->SetBrush(wxBrush(ToWx(color)));
    m_dc->DrawRectangle(rect.left, rect.top, rect.Width(), rect.Height());
}

void WxCanvas::Rectangle(const Rect& rect, int penWidth, ColorRef fill)
{
    // Outline and inside as two fills: exact pixels, whatever the context does with wide pens.
    FillRect(rect, RGB(0, 0, 0));
    FillRect(Rect{rect.left + penWidth, rect.top + penWidth, rect.right - penWidth, rect.bottom - penWidth}, fill);
}

void WxCanvas::Polygon(const Point* points, int count, ColorRef fill)
{
    std::vector<wxPoint> corners;
    corners.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        corners.emplace_back(points[i].x, points[i].y);
    // Asked for at each polygon: a memory context makes its graphics context anew whenever
    // another bitmap is selected. Smoothing would blend the arrow's edges into colours
    // the game does not know.
    if (wxGraphicsContext* gc = m_dc->GetGraphicsContext())
        gc->SetAntialiasMode(wxANTIALIAS_NONE);
    m_dc->SetPen(wxPen(*wxBLACK, 1));
    m_dc->SetBrush(wxBrush(ToWx(fill)));
    m_dc->DrawPolygon(count, corners.data());
}

const wxString& WxCanvas::UsableFace(const std::string& face)
{
    for (const auto& known : m_faces)
        if (known.first == face)
            return known.second;
    wxString usable = ToWx(face);
    if (!wxFontEnumerator::IsValidFacename(usable)) {
        usable.clear();  // the sans-serif family's default
        for (const char* standIn : kStandInFaces)
            if (wxFontEnumerator::IsValidFacename(standIn)) {
                usable = standIn;
                break;
            }
    }
    m_faces.emplace_back(face, usable);
    return m_faces.back().second;
}

const wxFont& WxCanvas::FontFor(const FontSpec& wanted)
{
    for (const auto& cached : m_fonts)
        if (cached.first == wanted)
            return cached.second;
    const wxString& face = UsableFace(wanted.face);
    wxFont font(wxFontInfo(kFirstGuessPoints).Family(wxFONTFAMILY_SWISS).FaceName(face).Bold(wanted.bold));
    font.SetPointSize(PointSizeFor(font, wanted.height));
    m_fonts.emplace_back(wanted, font);
    return m_fonts.back().second;
}

// The largest whole point size whose character cell is at most height pixels high: what
// the toolkit's own fonts made by pixel height come to. The toolkit searches from its
// default size in eight or more steps, each loading the face at another size (about a
// millisecond each). A face's cell grows in step with its size, so a guess from the last
// face measured takes two or three steps, and a size measured once is remembered: the
// instructions font is fitted in steps of two pixels, which often meet the same sizes.
int WxCanvas::PointSizeFor(wxFont& font, int height)
{
    const bool bold = font.GetWeight() == wxFONTWEIGHT_BOLD;
    std::map<int, int>& cells = m_cells[{font.GetFaceName(), bold}];
    const auto cellAt = [&](int points) {
        auto known = cells.find(points);
        if (known == cells.end())
            known = cells.emplace(points, CellHeight(font, points)).first;
        return known->second;
    };
    const std::string face = font.GetFaceName().utf8_string();
    // A size remembered from an earlier run is taken when its cell still measures the same.
    if (const RememberedPointSize* known = m_memo ? m_memo->FindPointSize(face, bold, height) : nullptr)
        if (known->points > 0 && known->cell <= height && cellAt(known->points) == known->cell)
            return known->points;
    int good = 0;  // fits; 0 while none is known
    int bad = 0;   // too high; 0 while none is known
    const auto measure = [&](int points) {
        const int cell = cellAt(points);
        m_cellPerPoint = static_cast<double>(cell) / points;
        if (cell > height) {
            bad = points;
        } else {
            good = points;
            // The ascent alone grows by more than a pixel a point, so a cell of exactly
            // the height makes the next size too high without loading it.
            if (cell == height)
                bad = points + 1;
        }
    };
    measure(std::max(1, static_cast<int>(height / m_cellPerPoint)));
    for (int step = 1; bad == 0; step *= 2)
        measure(good + step);
    for (int step = 1; good == 0 && bad > 1; step *= 2)
        measure(std::max(1, bad - step));
    while (good > 0 && bad - good > 1)
        measure(good + (bad - good) / 2);
    if (good == 0)
        return 1;  // even a point too high: the smallest there is
    if (m_memo != nullptr)
        m_memo->RememberPointSize(face, bold, height, RememberedPointSize{good, cells[good]});
    return good;
}

int WxCanvas::CellHeight(wxFont& font, int points)
{
    font.SetPointSize(points);
    m_measure.SetFont(font);
    Size g;
    if (m_measure.Measure(*m_dc, "g", g))  // what the context's own GetCharHeight() measures
        return g.cy;
    wxScreenDC screen;
    screen.SetFont(font);
    return screen.GetCharHeight();
}

void WxCanvas::SelectFont(const FontSpec& font)
{
    m_selected = &FontFor(font);
    m_measure.SetFont(*m_selected);
    m_dc->SetFont(*m_selected);
}

Size WxCanvas::TextExtent(std::string_view text)
{
    Size extent;
    if (m_measure.Measure(*m_dc, text, extent))
        return extent;
    wxCoord w = 0;
    wxCoord h = 0;
    m_dc->GetTextExtent(ToWx(text), &w, &h);
    return Size{w, h};
}

int WxCanvas::LineHeight() { return m_dc->GetCharHeight(); }

void WxCanvas::DrawText(std::string_view text, int x, int y, ColorRef color)
{
    m_dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    m_dc->SetTextForeground(ToWx(color));
    m_dc->DrawText(ToWx(text), x, y);
}

void WxCanvas::SetClip(const Rect& rect)
{
    // A new clip replaces the old one rather than narrowing it.
    m_dc->DestroyClippingRegion();
    m_dc->SetClippingRegion(rect.left, rect.top, rect.Width(), rect.Height());
}

void WxCanvas::ResetClip() { m_dc->DestroyClippingRegion(); }

} // namespace vexadra
