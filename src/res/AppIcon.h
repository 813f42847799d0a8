#pragma once
// The program's icon as SVG text: two boards of coloured squares and coloured bars.

namespace vexadra {

const char* AppIconSvg();

} // namespace vexadra
