// Any arguments (the input, split at zero bytes): the reader never fails, accepts only
// what it knows, and what it says about a refused argument is text a terminal shows as
// it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Check.h"
#include "app/CommandLine.h"
#include "app/StartupOptions.h"

using namespace vexadra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    for (std::size_t start = 0; start <= input.size() && args.size() < 64;) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    StartupOptions options;
    const CommandLineVerdict verdict = ReadCommandLine(args, options);
    if (verdict.action == CommandLineVerdict::Action::Refuse) {
        FUZZ_CHECK(!verdict.error.empty());
        FUZZ_CHECK(Printable(verdict.error) == verdict.error);
    } else {
        FUZZ_CHECK(verdict.error.empty());
        for (const std::string_view arg : args)
            FUZZ_CHECK((arg.size() >= 2 && arg[0] == '-') || ParseOpponent(arg).has_value());
    }
    const std::string shown = Printable(input);
    FUZZ_CHECK(Printable(shown) == shown);
    return 0;
}
