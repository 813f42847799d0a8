// The yardstick for the game's start-up: the least a wxWidgets program of the same kind
// does before its first paint. A caption-only frame sized to the work area holds one
// window that paints white; the frame closes itself once that paint is on screen, as
// the game does with VEXADRA_QUIT_AFTER_FIRST_PAINT=1.
//
// With BARE_FRAME_TEXT=1 the paint also draws one line of text, to show what the first
// text a program draws costs by itself (fontconfig's set-up and a font's first load),
// which the white frame never pays.

#include <chrono>
#include <cstdlib>
#include <fstream>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/font.h>
#include <wx/frame.h>
#include <wx/window.h>

namespace {

class WhiteWindow final : public wxWindow {
public:
    explicit WhiteWindow(wxWindow* parent)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &WhiteWindow::OnPaint, this);
    }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (std::getenv("BARE_FRAME_TEXT") != nullptr) {
            dc.SetFont(wxFontInfo(24).Family(wxFONTFAMILY_SWISS).FaceName("Liberation Sans").Bold());
            dc.DrawText("Press F1 to view the instructions.", 20, 20);
        }
        if (!m_painted) {
            m_painted = true;
            // Notes the moment of the first paint, as the game does, for the start-up timing.
            if (const char* trace = std::getenv("VEXADRA_TRACE"))
                std::ofstream(trace, std::ios::app)
                    << "paint at=" << std::chrono::system_clock::now().time_since_epoch().count() << '\n';
            // Closing inside the paint would cut it short; the game closes afterwards too.
            CallAfter([this] { wxGetTopLevelParent(this)->Close(true); });
        }
    }

    bool m_painted = false;
};

class BareApp final : public wxApp {
public:
    bool OnInit() override
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Bare frame", wxDefaultPosition, wxDefaultSize, wxCAPTION);
        new WhiteWindow(frame);
        frame->SetSize(wxGetClientDisplayRect());
        frame->Show();
        frame->Maximize();
        frame->Raise();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
