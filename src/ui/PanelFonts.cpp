#include "ui/PanelFonts.h"

#include <functional>
#include <string>
#include <vector>

#include "i18n/Translate.h"
#include "ui/TextLayout.h"
#include "ui/Texts.h"

namespace vexadra {

namespace {
// The written height when the text fits in it, else the largest smaller one that does,
// but never below the smallest font. Whether a height fits changes once along the
// heights: a larger font only ever needs more room.
int LargestFitting(int written, const std::function<bool(int)>& fits)
{
    if (written <= kMinFontHeight || fits(written))
        return written;
    int low = kMinFontHeight;  // fits, or is the floor
    int high = written;        // does not fit
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}
} // namespace

bool TextFits(Canvas& canvas, const FontSpec& font, const std::string& text, const Rect& area, bool wrapped)
{
    canvas.SelectFont(font);
    if (!wrapped)
        return canvas.TextExtent(text).cx <= area.Width() && canvas.LineHeight() <= area.Height();
    const std::vector<std::string> lines = WrapLines(canvas, text, area.Width());
    if (static_cast<int>(lines.size()) * canvas.LineHeight() > area.Height())
        return false;
    for (const std::string& line : lines)
        if (canvas.TextExtent(line).cx > area.Width())
            return false;
    return true;
}

// The units follow the width and the height apart, so a tall, narrow client area gives
// label and hint fonts too large for their strips, and a short, wide one more help lines
// than the strip below the left board holds.
PanelFonts FitPanelFonts(Canvas& canvas, const ScreenGeometry& g, int textFontHeight)
{
    const int uy = g.m_nUnitY;
    PanelFonts fonts;
    fonts.label = BoldArial(LargestFitting(2 * uy, [&](int height) {
        const FontSpec font = BoldArial(height);
        return TextFits(canvas, font, Tr(kScoreLabel), g.m_rcScoreLabel[0], false) &&
               TextFits(canvas, font, Tr(kMovesLabel), g.m_rcMovesLabel[0], false) &&
               TextFits(canvas, font, Tr(kGameRoundLabel), g.m_rcGameRoundLabel, false);
    }));
    fonts.hint = NumberFace(LargestFitting((7 * uy) / 4, [&](int height) {
        return TextFits(canvas, NumberFace(height), Tr(kHintText), g.m_rcHint, false);
    }));
    // One font for both texts, so that the lines stay put when the End line comes and goes.
    fonts.help = BoldArial(LargestFitting(textFontHeight, [&](int height) {
        return TextFits(canvas, BoldArial(height), Tr(kHelpLines), g.m_rcHelp, true) &&
               TextFits(canvas, BoldArial(height), Tr(kHelpLinesWithEnd), g.m_rcHelp, true);
    }));
    // Figures as wide as a long session makes them, inside the boxes' outline.
    const auto inOutline = [](const Rect& box) {
        return Rect{box.left + kBoxPenWidth, box.top + kBoxPenWidth, box.right - kBoxPenWidth, box.bottom - kBoxPenWidth};
    };
    fonts.figures = BoldArial(LargestFitting(textFontHeight, [&](int height) {
        return TextFits(canvas, BoldArial(height), kWidestScore, inOutline(g.m_rcScore[0]), false) &&
               TextFits(canvas, BoldArial(height), kWidestGameRound, inOutline(g.m_rcGameRound), false);
    }));
    return fonts;
}

} // namespace vexadra
