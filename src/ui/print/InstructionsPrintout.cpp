#include "ui/print/InstructionsPrintout.h"

#include <wx/log.h>
#include <wx/translation.h>
#include <wx/print.h>

#include "ui/WxCanvas.h"

namespace vexadra {

namespace {

// Notes whether the printing code reported an error itself while passing every message
// on, so that a failed job is reported exactly once.
class ErrorWatch final : public wxLog {
public:
    ErrorWatch() : m_previous(wxLog::GetActiveTarget()) { wxLog::SetActiveTarget(this); }
    ~ErrorWatch() override { wxLog::SetActiveTarget(m_previous); }
    ErrorWatch(const ErrorWatch&) = delete;
    ErrorWatch& operator=(const ErrorWatch&) = delete;

    bool SawError() const { return m_sawError; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override
    {
        if (level <= wxLOG_Error)
            m_sawError = true;
        if (m_previous != nullptr)
            m_previous->LogRecord(level, msg, info);
    }

private:
    wxLog* m_previous;
    bool m_sawError = false;
};

} // namespace

InstructionsPrintout::InstructionsPrintout(std::string_view banner) : wxPrintout("Vexadra"), m_page(banner) {}

bool InstructionsPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (page != 1 || dc == nullptr)
        return false;
    // The page size in device pixels is the drawing rectangle on every port (the
    // printable area, or the whole sheet where the context covers it), and the context
    // keeps its default mapping: one unit, one device pixel.
    int width = 0;
    int height = 0;
    GetPageSizePixels(&width, &height);
    WxCanvas canvas(*dc);
    m_page.Render(canvas, Size{width, height});
    return true;
}

bool InstructionsPrintout::HasPage(int page) { return page == 1; }

void InstructionsPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo)
{
    *minPage = 1;
    *maxPage = 1;
    *pageFrom = 1;
    *pageTo = 1;
}

void PrintInstructions(wxWindow* parent, const std::string& banner)
{
    InstructionsPrintout printout(banner);
    wxPrinter printer;
    bool printed = false;
    bool reported = false;
    {
        ErrorWatch watch;
        printed = printer.Print(parent, &printout, true);
        reported = watch.SawError();
    }
    if (!printed && wxPrinter::GetLastError() == wxPRINTER_ERROR && !reported)
        printer.ReportError(parent, &printout, _("Could not start print job."));
}

} // namespace vexadra
