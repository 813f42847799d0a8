// Any values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (the input, split at zero bytes):
// the choice is English or a catalogue that was asked about and exists, and only bare
// names (no encoding, modifier, list or path) are asked about.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Check.h"
#include "i18n/LanguageChoice.h"

using namespace vexadra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> values;
    for (std::size_t start = 0; values.size() < 4 && start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        values.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    values.resize(4);
    const char* const names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    const auto getenv = [&](const char* name) -> const char* {
        for (std::size_t i = 0; i < 4; ++i)
            if (std::string_view(name) == names[i])
                return values[i].empty() && i % 2 == 1 ? nullptr : values[i].c_str();
        return nullptr;
    };
    const std::set<std::string, std::less<>> catalogues{"de", "fr", "pt_BR"};
    std::set<std::string, std::less<>> asked;
    const auto hasCatalogue = [&](std::string_view name) {
        FUZZ_CHECK(!name.empty() && name.find_first_of(".@:/") == std::string_view::npos);
        asked.emplace(name);
        return catalogues.count(name) > 0;
    };
    const std::string chosen = ChooseLanguage(getenv, hasCatalogue);
    FUZZ_CHECK(chosen.empty() || (catalogues.count(chosen) > 0 && asked.count(chosen) > 0));
    return 0;
}
