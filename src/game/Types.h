#pragma once
// Plain value types shared by the game, its layout and its drawing.

#include <cstdint>

namespace vexadra {

// A 24-bit colour written 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

constexpr ColorRef RGB(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// left/top inclusive, right/bottom exclusive, as the fills use them.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Strictly inside: a point on a border belongs to no square.
    bool ContainsStrictly(Point p) const { return left < p.x && p.x < right && top < p.y && p.y < bottom; }
    Point Centre() const { return Point{(left + right) / 2, (top + bottom) / 2}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace vexadra
