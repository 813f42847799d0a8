#pragma once
// A canvas that draws nothing and remembers every call. Text is fixed-width: each
// character is half the font height wide, and a line is as high as the font.

#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace vexadra::test {

struct CanvasOp {
    enum Kind { Fill, Box, Poly, Text, Clip, Unclip } kind;
    Rect rect;          // Fill, Box, Clip
    ColorRef color = 0; // fill colour or text colour
    int penWidth = 0;
    std::vector<Point> points;
    std::string text;
    Point at;
    FontSpec font;      // Text: the font selected when it was drawn
};

class RecordingCanvas final : public Canvas {
public:
    std::vector<CanvasOp> ops;
    FontSpec selected;
    int depthShift = 0;  // >0 drops that many low bits of every channel, like a poor display
    int widthScale = 1;  // makes every character this many times wider
    bool proportional = false;  // 'i', 'l' and spaces narrow, 'm' and 'w' wide, as in a real face
    int measures = 0;           // text measurements so far

    ColorRef NearestColor(ColorRef c) const override
    {
        const ColorRef mask = (0xFFu << depthShift) & 0xFFu;
        return c & (mask | (mask << 8) | (mask << 16));
    }
    void FillRect(const Rect& r, ColorRef c) override { ops.push_back({CanvasOp::Fill, r, c, 0, {}, {}, {}, {}}); }
    void Rectangle(const Rect& r, int pen, ColorRef fill) override { ops.push_back({CanvasOp::Box, r, fill, pen, {}, {}, {}, {}}); }
    void Polygon(const Point* p, int n, ColorRef fill) override
    {
        ops.push_back({CanvasOp::Poly, {}, fill, 1, std::vector<Point>(p, p + n), {}, {}, {}});
    }
    void SelectFont(const FontSpec& f) override { selected = f; }
    Size TextExtent(std::string_view t) override
    {
        ++measures;
        int width = 0;
        for (const char ch : t)
            width += proportional ? CharWidth() * (ch == 'm' || ch == 'w' ? 3 : ch == 'i' || ch == 'l' || ch == ' ' ? 1 : 2) / 2
                                  : CharWidth();
        return Size{width, LineHeight()};
    }
    int LineHeight() override { return selected.height; }
    void DrawText(std::string_view t, int x, int y, ColorRef c) override
    {
        ops.push_back({CanvasOp::Text, {}, c, 0, {}, std::string(t), Point{x, y}, selected});
    }
    void SetClip(const Rect& r) override { ops.push_back({CanvasOp::Clip, r, 0, 0, {}, {}, {}, {}}); }
    void ResetClip() override { ops.push_back({CanvasOp::Unclip, {}, 0, 0, {}, {}, {}, {}}); }

    int CharWidth() const { return widthScale * (selected.height > 1 ? selected.height / 2 : 1); }

    std::vector<const CanvasOp*> Texts() const
    {
        std::vector<const CanvasOp*> out;
        for (const CanvasOp& op : ops)
            if (op.kind == CanvasOp::Text)
                out.push_back(&op);
        return out;
    }
    const CanvasOp* FindText(const std::string& t) const
    {
        for (const CanvasOp& op : ops)
            if (op.kind == CanvasOp::Text && op.text == t)
                return &op;
        return nullptr;
    }
    int CountFills(const Rect& r, ColorRef c) const
    {
        int n = 0;
        for (const CanvasOp& op : ops)
            n += op.kind == CanvasOp::Fill && op.rect == r && op.color == c;
        return n;
    }
};

} // namespace vexadra::test
