// Any file text: read, written with each choice, read again. The written choice is read
// back, the other one stays, and every line but the one rewritten is kept as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Check.h"
#include "app/Settings.h"

using namespace vexadra;

namespace {

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

void CheckOnlyTheLineOfTheKeyChanged(std::string_view before, const std::string& after, std::string_view line)
{
    const auto old = Lines(before);
    const auto now = Lines(after);
    if (old.size() != now.size()) {
        std::string appended(before);
        if (!appended.empty() && appended.back() != '\n')
            appended += '\n';
        FUZZ_CHECK(after == appended + std::string(line) + '\n');
        return;
    }
    int changed = 0;
    for (std::size_t i = 0; i < old.size(); ++i)
        if (old[i] != now[i]) {
            ++changed;
            FUZZ_CHECK(now[i] == line || now[i] == std::string(line) + '\r');
        }
    FUZZ_CHECK(changed <= 1);
}

template <typename Value>
void Write(std::string_view text, const Settings& before, std::string_view key, std::string_view name, Value value)
{
    const std::string written = WithSetting(text, key, name);
    Settings expected = before;
    if constexpr (std::is_same_v<Value, bool>)
        expected.sound = value;
    else
        expected.opponent = value;
    FUZZ_CHECK(ReadSettings(written) == expected);
    CheckOnlyTheLineOfTheKeyChanged(text, written, std::string(key) + "=" + std::string(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kMaxSettingsFileBytes)
        return 0;  // never read
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Settings before = ReadSettings(text);
    for (const bool on : {true, false})
        Write(text, before, kSoundKey, SoundSettingName(on), on);
    for (const Opponent opponent : {Opponent::TwoPlayers, Opponent::Easy, Opponent::Normal, Opponent::Hard})
        Write(text, before, kOpponentKey, OpponentName(opponent), opponent);
    return 0;
}
