#include "ui/print/PrintLayout.h"

#include <algorithm>
#include <vector>

#include "i18n/Translate.h"
#include "ui/TextLayout.h"
#include "ui/Texts.h"

namespace vexadra {

const char* const kPrintScreenNote = N_("\n\nFor best appearance, set the screen to 1024x768 or higher. ");

// Made-up maker: the phone number is from the range kept for fiction and the addresses
// use a domain that can never be registered.
const char* const kMakerCredits =
    N_("\n\nLarchfield Pocket Games"
       "\nCopyright (C) 2008 Larchfield Pocket Games. All rights reserved."
       "\n14 Quarry Lane, Larchfield"
       "\nTelephone: 555-0142"
       "\nE-mail: hello@larchfield.example"
       "\n\nMore of our games are waiting for you at www.larchfield.example/games");

Rect PrintTextBlock(Size page)
{
    return Rect{5 * page.cx / 100, 5 * page.cy / 100, 95 * page.cx / 100, 95 * page.cy / 100};
}

int PrintFontHeight(const Rect& block) { return block.Height() / kPrintLines; }

// "Arial Bold" by name finds no face here; the family with the bold weight does.
FontSpec PrintFont(int height) { return FontSpec{"Arial", height, true}; }

std::string ComposePrintText(std::string_view banner, std::string_view instructionsText)
{
    std::string text(banner);
    text += " \n\n";
    text += instructionsText;
    text += Tr(kPrintScreenNote);
    text += Tr(kMakerCredits);
    return text;
}

InstructionsPrintPage::InstructionsPrintPage(std::string_view banner)
    : m_strInstructions(ComposePrintText(banner, BuildInstructionTexts()[0]))
{
}

void InstructionsPrintPage::Render(Canvas& canvas, Size page)
{
    m_rcPrint = PrintTextBlock(page);
    m_nPrintFontHeight = PrintFontHeight(m_rcPrint);
    m_fontPrint = PrintFont(m_nPrintFontHeight);
    // A page too small for a one-pixel font has no room for a single legible line.
    if (m_nPrintFontHeight <= 0)
        return;
    canvas.SelectFont(m_fontPrint);
    std::vector<std::string> lines = WrapLines(canvas, m_strInstructions, m_rcPrint.Width());
    // Only whole lines reach the paper: the clip alone would leave the tops of the next
    // line's letters along the bottom edge.
    const int lineHeight = std::max(1, canvas.LineHeight());
    const auto fitting = static_cast<std::size_t>(std::max(0, m_rcPrint.Height() / lineHeight));
    if (lines.size() > fitting)
        lines.resize(fitting);
    DrawLines(canvas, lines, m_rcPrint, RGB(0, 0, 0));
}

} // namespace vexadra
