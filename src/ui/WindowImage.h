#pragma once
// The game window's off-screen image. On X11 it is made in the display server, like the
// toolkit's own paint buffers: a present is a copy inside the server, nothing is uploaded,
// and the program keeps no screen-sized copy of its own. Elsewhere (Wayland) the toolkit
// makes it in memory.

#include <memory>

#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

namespace vexadra {

class WindowImage {
public:
    WindowImage();
    ~WindowImage();
    WindowImage(const WindowImage&) = delete;
    WindowImage& operator=(const WindowImage&) = delete;

    bool IsOk() const { return m_surface != nullptr; }
    // The image has the window's client size (at least 1×1) and its scale factor.
    bool Fits(const wxWindow& window) const;
    // Makes a new, unpainted image when it does not fit; the old one and its context go.
    void Fit(wxWindow& window);
    // The context that draws on the image; valid until the next Fit.
    wxDC& DC() { return *m_dc; }
    // The whole image onto a paint context of the window, at its top left.
    void CopyTo(wxDC& target) const;

private:
    void Release();

    void* m_surface = nullptr;  // cairo_surface_t*
    std::unique_ptr<wxDC> m_dc;
    wxSize m_size;
    double m_scale = 0;
};

} // namespace vexadra
