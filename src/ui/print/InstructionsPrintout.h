#pragma once
// The printed instructions as the toolkit's printout: one page, drawn by the same page
// code the tests draw.

#include <string>
#include <string_view>

#include <wx/prntbase.h>
#include <wx/window.h>

#include "ui/print/PrintLayout.h"

namespace vexadra {

class InstructionsPrintout final : public wxPrintout {
public:
    explicit InstructionsPrintout(std::string_view banner);

    bool OnPrintPage(int page) override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;

    const InstructionsPrintPage& Page() const { return m_page; }

private:
    InstructionsPrintPage m_page;
};

// The Print command: the platform's print dialog, then the page. Cancelling ends it
// quietly; a job that cannot start is reported in the platform's own words.
void PrintInstructions(wxWindow* parent, const std::string& banner);

} // namespace vexadra
