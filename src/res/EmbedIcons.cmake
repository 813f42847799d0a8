# Writes OUTPUT, a C++ source holding the PNG files given in PNGS ("side=path" pairs
# joined by "|") as byte arrays: the window's icons, decoded at start instead of
# rendered from the SVG. Run with cmake -P at build time, after the PNGs are rendered.
set(arrays "")
set(entries "")
set(n 0)
string(REPLACE "|" ";" PNGS "${PNGS}")
foreach(pair IN LISTS PNGS)
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 side)
  list(GET parts 1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(APPEND arrays "const unsigned char kPng${n}[] = {${hex}};\n")
  string(APPEND entries "    IconImage{${side}, kPng${n}, ${bytes}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from the rendered icons at build time.
#include \"res/AppIcon.h\"

namespace vexadra {

namespace {
${arrays}
const IconImage kImages[] = {
${entries}};
} // namespace

std::span<const IconImage> AppIconImages() { return kImages; }

} // namespace vexadra
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
