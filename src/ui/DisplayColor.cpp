#include "ui/DisplayColor.h"

namespace vexadra {

namespace {

int Quantise(int value, int bits)
{
    const int levels = (1 << bits) - 1;
    const int q = (value * levels + 127) / 255;
    return (q * 255 + levels / 2) / levels;
}

} // namespace

ColorRef NearestColorAtDepth(ColorRef wanted, int depth)
{
    if (depth >= 24)
        return wanted;
    const int r = GetRValue(wanted);
    const int g = GetGValue(wanted);
    const int b = GetBValue(wanted);
    if (depth < 3) {
        const int luma = (299 * r + 587 * g + 114 * b) / 1000;
        return luma >= 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
    }
    // Green gets the first spare bit, red the second, as in 5-6-5 and 3-3-2.
    const int base = depth / 3;
    const int spare = depth % 3;
    const int gBits = base + (spare >= 1 ? 1 : 0);
    const int rBits = base + (spare >= 2 ? 1 : 0);
    return RGB(Quantise(r, rBits), Quantise(g, gBits), Quantise(b, base));
}

} // namespace vexadra
