#pragma once
// The small drawing interface the screen and the printout draw through. The platform
// supplies one over its own drawing context; tests supply their own.

#include <string>
#include <string_view>

#include "game/Types.h"

namespace vexadra {

struct FontSpec {
    std::string face;   // a face name; the platform picks a stand-in when it has none
    int height = 0;     // character-cell height in pixels (device units)
    bool bold = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // The display's nearest displayable colour (the identity on a true-colour display).
    virtual ColorRef NearestColor(ColorRef wanted) const = 0;

    // Fills left..right-1, top..bottom-1.
    virtual void FillRect(const Rect& rect, ColorRef color) = 0;
    // A filled rectangle with a solid black outline penWidth pixels wide, inside the rectangle.
    virtual void Rectangle(const Rect& rect, int penWidth, ColorRef fill) = 0;
    // A filled polygon outlined with a 1-pixel black pen.
    virtual void Polygon(const Point* points, int count, ColorRef fill) = 0;

    virtual void SelectFont(const FontSpec& font) = 0;
    virtual Size TextExtent(std::string_view text) = 0;  // one line, in the selected font
    virtual int LineHeight() = 0;                         // distance of two wrapped lines
    // One line of text with its top-left corner at (x, y), on a transparent background.
    virtual void DrawText(std::string_view text, int x, int y, ColorRef color) = 0;

    // Drawing is cut off outside the clip rectangle until it is reset.
    virtual void SetClip(const Rect& rect) = 0;
    virtual void ResetClip() = 0;
};

} // namespace vexadra
