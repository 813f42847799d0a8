#pragma once
// The printed page of instructions: where its text goes, in what font, and what it says.
// Plain C++: it draws through a Canvas, so the printer, an off-screen page and a test
// all get the same page.

#include <string>
#include <string_view>

#include "game/Types.h"
#include "ui/Canvas.h"

namespace vexadra {

// The text block is divided into this many lines of the printing font.
constexpr int kPrintLines = 45;

// Follows the instructions on the printed page (and only there).
extern const char* const kPrintScreenNote;
// The maker's credits that close the page: two paragraphs, led by two line feeds.
extern const char* const kMakerCredits;

// The text block on a page whose drawing rectangle is (0, 0)-(page.cx, page.cy): a 5 %
// margin on every side, each edge truncated on its own.
Rect PrintTextBlock(Size page);
// One 45th of the block's height.
int PrintFontHeight(const Rect& block);
FontSpec PrintFont(int height);
// The banner line, the instructions, the screen note and the credits.
std::string ComposePrintText(std::string_view banner, std::string_view instructionsText);

class InstructionsPrintPage {
public:
    // The text is composed here, once: the printout keeps the heading it was started
    // with, whatever the screen paints meanwhile.
    explicit InstructionsPrintPage(std::string_view banner);

    // Draws the text in black on a page of the given size, in the canvas's units (the
    // page's device pixels); the paper between the lines is left as it is.
    void Render(Canvas& canvas, Size page);

    const std::string& Text() const { return m_strInstructions; }
    // As set by the last Render.
    const Rect& TextBlock() const { return m_rcPrint; }
    int FontHeight() const { return m_nPrintFontHeight; }
    const FontSpec& Font() const { return m_fontPrint; }

private:
    std::string m_strInstructions;
    Rect m_rcPrint;
    int m_nPrintFontHeight = 0;
    FontSpec m_fontPrint;
};

} // namespace vexadra
