#pragma once
// The three ways the screen and the printout place text in a rectangle. Wrapped text is
// measured by the very routine that breaks it for drawing, so a fit never lies.

#include <string>
#include <string_view>
#include <vector>

#include "game/Types.h"
#include "ui/Canvas.h"

namespace vexadra {

// Breaks text into lines no wider than width in the selected font: at every line feed,
// and at spaces. Spaces at a break are dropped; a word wider than width gets a line of
// its own and overhangs rather than being cut.
std::vector<std::string> WrapLines(Canvas& canvas, std::string_view text, int width);

// The height the wrapped text takes: its number of lines times the line height.
int MeasureWrapped(Canvas& canvas, std::string_view text, int width);

// One line, centred both ways, clipped to the rectangle.
void DrawCentered(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color);
// One line, left-aligned and vertically centred, clipped to the rectangle.
void DrawLeftCentered(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color);
// Lines from WrapLines, from the rectangle's top-left corner, clipped to the rectangle.
void DrawLines(Canvas& canvas, const std::vector<std::string>& lines, const Rect& rect, ColorRef color);
// Wrapped to the rectangle's width from its top-left corner, clipped to the rectangle.
void DrawWrapped(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color);

} // namespace vexadra
