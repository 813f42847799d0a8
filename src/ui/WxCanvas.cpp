#include "ui/WxCanvas.h"

#include <wx/brush.h>
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

} // namespace

WxCanvas::WxCanvas(wxDC& dc, int displayDepth) : m_dc(&dc), m_depth(displayDepth) {}

void WxCanvas::SetDC(wxDC& dc)
{
    m_dc = &dc;
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
    wxFont font(wxSize(0, wanted.height), wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL,
                wanted.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL, false, face);
    m_fonts.emplace_back(wanted, font);
    return m_fonts.back().second;
}

void WxCanvas::SelectFont(const FontSpec& font)
{
    m_selected = &FontFor(font);
    m_dc->SetFont(*m_selected);
}

Size WxCanvas::TextExtent(std::string_view text)
{
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
