#include "ui/PangoMeasure.h"

#include <wx/fontutil.h>
#include <wx/graphics.h>

#include "ui/NativeCalls.h"

namespace vexadra {

namespace {

extern "C" {
using CreateLayout = void* (*)(void* cairo);
using SetFontDescription = void (*)(void* layout, const void* description);
using SetText = void (*)(void* layout, const char* text, int length);
using GetPixelSize = void (*)(void* layout, int* width, int* height);
using Unref = void (*)(void* object);
}

struct PangoCalls {
    CreateLayout createLayout = native::Find<CreateLayout>("pango_cairo_create_layout");
    SetFontDescription setFont = native::Find<SetFontDescription>("pango_layout_set_font_description");
    SetText setText = native::Find<SetText>("pango_layout_set_text");
    GetPixelSize getPixelSize = native::Find<GetPixelSize>("pango_layout_get_pixel_size");
    Unref unref = native::Find<Unref>("g_object_unref");

    bool Complete() const { return createLayout && setFont && setText && getPixelSize && unref; }
};

const PangoCalls& Pango()
{
    static const PangoCalls calls;
    return calls;
}

} // namespace

PangoMeasure::~PangoMeasure() { Reset(); }

void PangoMeasure::Reset()
{
    if (m_layout != nullptr)
        Pango().unref(m_layout);
    m_layout = nullptr;
    m_cairo = nullptr;
    m_fontChanged = true;
}

void PangoMeasure::SetFont(const wxFont& font)
{
    m_font = font;
    m_fontChanged = true;
}

bool PangoMeasure::Measure(wxDC& dc, std::string_view text, Size& extent)
{
    const PangoCalls& pango = Pango();
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    const wxNativeFontInfo* info = m_font.IsOk() ? m_font.GetNativeFontInfo() : nullptr;
    if (!pango.Complete() || graphics == nullptr || info == nullptr || info->description == nullptr)
        return false;
    void* cairo = graphics->GetNativeContext();
    if (cairo == nullptr)
        return false;
    if (text.empty()) {
        extent = Size{0, 0};  // no line at all, as the context itself has it
        return true;
    }
    if (cairo != m_cairo) {
        Reset();
        m_layout = pango.createLayout(cairo);
        m_cairo = cairo;
    }
    if (m_fontChanged) {
        pango.setFont(m_layout, info->description);
        m_fontChanged = false;
    }
    pango.setText(m_layout, text.data(), static_cast<int>(text.size()));
    pango.getPixelSize(m_layout, &extent.cx, &extent.cy);
    return true;
}

} // namespace vexadra
