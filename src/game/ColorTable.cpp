#include "game/ColorTable.h"

namespace vexadra {

const ColorRef g_crGameColors[kGameColors] = {
    RGB(240, 240, 100), RGB(240, 160, 200), RGB(240, 160, 100), RGB(240, 80, 200),
    RGB(240, 80, 100),  RGB(15, 95, 55),    RGB(128, 32, 128),  RGB(160, 160, 100),
    RGB(160, 80, 200),  RGB(140, 80, 60),   RGB(40, 240, 40),   RGB(40, 240, 200),
    RGB(40, 160, 100),  RGB(40, 160, 200),  RGB(255, 15, 35),   RGB(40, 80, 240),
};

ColorRef TrueColorNearest(ColorRef c) { return c; }

} // namespace vexadra
