#include "ui/WindowImage.h"

#include <algorithm>

#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include "ui/NativeCalls.h"

namespace vexadra {

namespace {

using native::Find;

extern "C" {
using CreateSimilarSurface = void* (*)(void* gdkWindow, int content, int width, int height);
using CreateImageSurface = void* (*)(int format, int width, int height);
using SetDeviceScale = void (*)(void* surface, double x, double y);
using DestroySurface = void (*)(void* surface);
using CreateCairo = void* (*)(void* surface);
using DestroyCairo = void (*)(void* cairo);
using SetSourceSurface = void (*)(void* cairo, void* surface, double x, double y);
using Paint = void (*)(void* cairo);
}
constexpr int kCairoContentColor = 0x1000;  // CAIRO_CONTENT_COLOR
constexpr int kCairoFormatRgb24 = 1;        // CAIRO_FORMAT_RGB24

struct CairoCalls {
    CreateSimilarSurface createSimilar = Find<CreateSimilarSurface>("gdk_window_create_similar_surface");
    CreateImageSurface createImage = Find<CreateImageSurface>("cairo_image_surface_create");
    SetDeviceScale setDeviceScale = Find<SetDeviceScale>("cairo_surface_set_device_scale");
    DestroySurface destroySurface = Find<DestroySurface>("cairo_surface_destroy");
    CreateCairo create = Find<CreateCairo>("cairo_create");
    DestroyCairo destroy = Find<DestroyCairo>("cairo_destroy");
    SetSourceSurface setSource = Find<SetSourceSurface>("cairo_set_source_surface");
    Paint paint = Find<Paint>("cairo_paint");
};

const CairoCalls& Cairo()
{
    static const CairoCalls calls;
    return calls;
}

// A graphics context made from a cairo context does not know its size, and a context
// that does not know its size clips everything away once a clip is removed.
class SizedImplementation final : public wxGCDCImpl {
public:
    SizedImplementation(wxDC* owner, wxGraphicsContext* graphics, wxSize size)
        : wxGCDCImpl(owner, graphics), m_size(size)
    {
    }

    void DoGetSize(int* width, int* height) const override
    {
        if (width != nullptr)
            *width = m_size.x;
        if (height != nullptr)
            *height = m_size.y;
    }

private:
    wxSize m_size;
};

class SizedDC final : public wxDC {
public:
    SizedDC(wxGraphicsContext* graphics, wxSize size) : wxDC(new SizedImplementation(this, graphics, size)) {}
};

wxSize ClientSizeOf(const wxWindow& window)
{
    const wxSize size = window.GetClientSize();
    return wxSize(std::max(size.x, 1), std::max(size.y, 1));
}

} // namespace

WindowImage::WindowImage() = default;

WindowImage::~WindowImage() { Release(); }

void WindowImage::Release()
{
    m_dc.reset();
    if (m_surface != nullptr)
        Cairo().destroySurface(m_surface);
    m_surface = nullptr;
}

bool WindowImage::Fits(const wxWindow& window) const
{
    return IsOk() && m_size == ClientSizeOf(window) && m_scale == window.GetContentScaleFactor();
}

void WindowImage::Fit(wxWindow& window)
{
    if (Fits(window))
        return;
    Release();
    m_size = ClientSizeOf(window);
    m_scale = window.GetContentScaleFactor();
    const CairoCalls& cairo = Cairo();
    // The toolkit's surface "like the window" is a server-side pixmap on X11, an image in
    // memory on Wayland; either way it has the window's scale, so the painter keeps
    // drawing in logical units and a HiDPI screen gets every device pixel.
    if (void* gdkWindow = window.GTKGetDrawingWindow())
        m_surface = cairo.createSimilar(gdkWindow, kCairoContentColor, m_size.x, m_size.y);
    if (m_surface == nullptr) {
        m_surface = cairo.createImage(kCairoFormatRgb24, static_cast<int>(m_size.x * m_scale),
                                      static_cast<int>(m_size.y * m_scale));
        cairo.setDeviceScale(m_surface, m_scale, m_scale);
    }
    void* context = cairo.create(m_surface);
    wxGraphicsContext* graphics = wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(context);
    cairo.destroy(context);  // the graphics context holds its own reference
    // Thin lines on pixel centres, as on the toolkit's own memory contexts.
    graphics->EnableOffset(true);
    m_dc = std::make_unique<SizedDC>(graphics, m_size);
}

void WindowImage::CopyTo(wxDC& target) const
{
    wxGraphicsContext* graphics = target.GetGraphicsContext();
    if (!IsOk() || graphics == nullptr)
        return;
    const CairoCalls& cairo = Cairo();
    void* context = graphics->GetNativeContext();
    cairo.setSource(context, m_surface, 0, 0);
    cairo.paint(context);
}

} // namespace vexadra
