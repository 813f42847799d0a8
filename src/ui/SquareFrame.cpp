#include "ui/SquareFrame.h"

#include <algorithm>

namespace vexadra {

namespace {
void Ring(Canvas& canvas, const Rect& r, int width, ColorRef color)
{
    canvas.FillRect(Rect{r.left, r.top, r.right, r.top + width}, color);
    canvas.FillRect(Rect{r.left, r.bottom - width, r.right, r.bottom}, color);
    canvas.FillRect(Rect{r.left, r.top + width, r.left + width, r.bottom - width}, color);
    canvas.FillRect(Rect{r.right - width, r.top + width, r.right, r.bottom - width}, color);
}
} // namespace

void DrawSquareFrame(Canvas& canvas, const Rect& square)
{
    const int width = std::max(2, std::min(square.Width(), square.Height()) / 14);
    if (square.Width() <= 4 * width || square.Height() <= 4 * width)
        return;
    Ring(canvas, square, width, RGB(0, 0, 0));
    const Rect inner{square.left + width, square.top + width, square.right - width, square.bottom - width};
    Ring(canvas, inner, width, RGB(255, 255, 255));
}

} // namespace vexadra
