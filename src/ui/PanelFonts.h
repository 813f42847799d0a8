#pragma once
// The fonts of the box labels, the hint and the help lines for one layout. They keep the
// written heights where the texts fit their strips; where a text would run past its strip
// (a tall, narrow client area, a short, wide one, a longer translation) its font comes
// down just far enough to fit.

#include "ui/Canvas.h"
#include "ui/Geometry.h"

namespace vexadra {

// The smallest font any fitting goes down to.
constexpr int kMinFontHeight = 6;
// The outline of the score, moves-left and Game/Round boxes.
constexpr int kBoxPenWidth = 2;
// The widest figures the boxes are made to hold.
constexpr const char* kWidestScore = "-888";
constexpr const char* kWidestGameRound = "88/88";

// "Arial Bold" is Arial at bold weight; the number face has only its regular weight.
inline FontSpec BoldArial(int height) { return FontSpec{"Arial", height, true}; }
inline FontSpec NumberFace(int height) { return FontSpec{"Microsoft Sans Serif", height, false}; }

struct PanelFonts {
    FontSpec label;
    FontSpec hint;
    FontSpec help;
    FontSpec figures;  // in the score, moves-left and Game/Round boxes
};

// textFontHeight: the instructions font, the written font of the help lines and the figures.
PanelFonts FitPanelFonts(Canvas& canvas, const ScreenGeometry& g, int textFontHeight);

// Whether the text fits the area in the font: one line as it is, or wrapped to the area's width.
bool TextFits(Canvas& canvas, const FontSpec& font, const std::string& text, const Rect& area, bool wrapped);

} // namespace vexadra
