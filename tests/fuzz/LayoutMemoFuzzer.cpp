// Any cache file: what is read is written back the same after one round, stays within
// its bounds, and a lookup never fails on it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Check.h"
#include "ui/LayoutMemo.h"

using namespace vexadra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LayoutMemo memo = LayoutMemo::FromText(text);
    const std::string once = memo.ToText();
    FUZZ_CHECK(LayoutMemo::FromText(once).ToText() == once);
    FUZZ_CHECK(once.size() <= text.size() + 64);  // nothing made up but the header
    memo.FindPointSize("Liberation Sans", true, 20);
    memo.FindFit(Size{1024, 768}, TextKey(text));
    memo.RememberPointSize(text.substr(0, 40), false, 12, RememberedPointSize{9, 12});
    FUZZ_CHECK(LayoutMemo::FromText(memo.ToText()).ToText() == memo.ToText());
    return 0;
}
