#include "ui/SquareMarks.h"

#include <algorithm>

namespace vexadra {

namespace {
constexpr ColorRef kMarkLight = RGB(255, 255, 255);
// A red that none of the game's colours comes close to in both hue and darkness.
constexpr ColorRef kRefusedRed = RGB(230, 0, 0);

// Four corner triangles: the hinted squares read as "this one" without hiding the colour.
void DrawHint(Canvas& canvas, const Rect& r)
{
    const int leg = std::max(6, r.Width() / 4);
    const Point corners[4][3] = {
        {{r.left + 1, r.top + 1}, {r.left + leg, r.top + 1}, {r.left + 1, r.top + leg}},
        {{r.right - 2, r.top + 1}, {r.right - 2, r.top + leg}, {r.right - 1 - leg, r.top + 1}},
        {{r.left + 1, r.bottom - 2}, {r.left + 1, r.bottom - 1 - leg}, {r.left + leg, r.bottom - 2}},
        {{r.right - 2, r.bottom - 2}, {r.right - 1 - leg, r.bottom - 2}, {r.right - 2, r.bottom - 1 - leg}},
    };
    for (const auto& triangle : corners)
        canvas.Polygon(triangle, 3, kMarkLight);
}

// A small diamond below the middle, where a colour number leaves room.
void DrawLastMove(Canvas& canvas, const Rect& r)
{
    const int half = std::max(4, r.Width() / 10);
    const int cx = (r.left + r.right) / 2;
    const int cy = r.bottom - 1 - half - std::max(3, r.Height() / 10);
    const Point diamond[4] = {{cx, cy - half}, {cx + half, cy}, {cx, cy + half}, {cx - half, cy}};
    canvas.Polygon(diamond, 4, kMarkLight);
}

// A cross over the square: the move was refused here.
void DrawRefused(Canvas& canvas, const Rect& r)
{
    const int inset = std::max(4, r.Width() / 6);
    const int bar = std::max(3, r.Width() / 14);
    const int l = r.left + inset;
    const int t = r.top + inset;
    const int rr = r.right - 1 - inset;
    const int b = r.bottom - 1 - inset;
    const Point falling[4] = {{l, t + bar}, {l + bar, t}, {rr, b - bar}, {rr - bar, b}};
    const Point rising[4] = {{l, b - bar}, {l + bar, b}, {rr, t + bar}, {rr - bar, t}};
    canvas.Polygon(falling, 4, kRefusedRed);
    canvas.Polygon(rising, 4, kRefusedRed);
}
} // namespace

void DrawSquareMark(Canvas& canvas, const Rect& square, SquareMark mark)
{
    switch (mark) {
    case SquareMark::Hint:
        DrawHint(canvas, square);
        break;
    case SquareMark::LastMove:
        DrawLastMove(canvas, square);
        break;
    case SquareMark::Refused:
        DrawRefused(canvas, square);
        break;
    }
}

} // namespace vexadra
