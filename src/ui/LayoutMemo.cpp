#include "ui/LayoutMemo.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace vexadra {

namespace {

constexpr std::string_view kHeader = "vexadra layout memo 1";
// Far more than the memo ever holds; a larger file is not ours.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;
// Sizes in pixels or points beyond this are not measurements.
constexpr long long kMaxValue = 1000000;

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool ParseInt(std::string_view field, int& value, int base = 10)
{
    long long parsed = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), parsed, base);
    if (error != std::errc() || end != field.data() + field.size() || parsed < 0 || parsed > kMaxValue)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseKey(std::string_view field, std::uint64_t& key)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), key, 16);
    return error == std::errc() && end == field.data() + field.size() && !field.empty();
}

bool UsableFace(std::string_view face)
{
    return !face.empty() && face.find_first_of("\t\r\n") == std::string_view::npos;
}

template <typename Entry>
void KeepAtMost(std::vector<Entry>& entries, std::size_t most)
{
    if (entries.size() > most)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(most));
}

} // namespace

std::uint64_t TextKey(std::string_view text)
{
    std::uint64_t key = 14695981039346656037ull;
    for (const char c : text) {
        key ^= static_cast<unsigned char>(c);
        key *= 1099511628211ull;
    }
    return key;
}

LayoutMemo LayoutMemo::FromText(std::string_view text)
{
    LayoutMemo memo;
    std::istringstream lines{std::string(text)};
    std::string line;
    if (!std::getline(lines, line) || line != kHeader)
        return memo;
    while (std::getline(lines, line)) {
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() == 2 && f[0] == "signature") {
            memo.m_signature = std::string(f[1]);
        } else if (f.size() == 6 && f[0] == "size") {
            PointSizeEntry entry{std::string(f[1]), f[2] == "1", 0, {}};
            if (UsableFace(f[1]) && (f[2] == "0" || f[2] == "1") && ParseInt(f[3], entry.height) &&
                ParseInt(f[4], entry.size.points) && ParseInt(f[5], entry.size.cell))
                memo.m_sizes.push_back(std::move(entry));
        } else if (f.size() == 7 && f[0] == "fit") {
            FitEntry entry;
            if (ParseInt(f[1], entry.client.cx) && ParseInt(f[2], entry.client.cy) && ParseKey(f[3], entry.pageKey) &&
                ParseInt(f[4], entry.fit.fontHeight) && ParseInt(f[5], entry.fit.sampleExtent.cx) &&
                ParseInt(f[6], entry.fit.sampleExtent.cy))
                memo.m_fits.push_back(entry);
        }
    }
    KeepAtMost(memo.m_sizes, kMaxPointSizes);
    KeepAtMost(memo.m_fits, kMaxFits);
    return memo;
}

std::string LayoutMemo::ToText() const
{
    std::ostringstream out;
    out << kHeader << '\n' << "signature\t" << m_signature << '\n';
    for (const PointSizeEntry& e : m_sizes)
        out << "size\t" << e.face << '\t' << (e.bold ? 1 : 0) << '\t' << e.height << '\t' << e.size.points << '\t'
            << e.size.cell << '\n';
    for (const FitEntry& e : m_fits)
        out << "fit\t" << e.client.cx << '\t' << e.client.cy << '\t' << std::hex << e.pageKey << std::dec << '\t'
            << e.fit.fontHeight << '\t' << e.fit.sampleExtent.cx << '\t' << e.fit.sampleExtent.cy << '\n';
    return out.str();
}

void LayoutMemo::UseSignature(const std::string& signature)
{
    if (signature == m_signature)
        return;
    m_changed = true;
    m_signature = signature;
    m_sizes.clear();
    m_fits.clear();
}

const RememberedPointSize* LayoutMemo::FindPointSize(std::string_view face, bool bold, int height) const
{
    for (const PointSizeEntry& e : m_sizes)
        if (e.face == face && e.bold == bold && e.height == height)
            return &e.size;
    return nullptr;
}

void LayoutMemo::RememberPointSize(std::string_view face, bool bold, int height, RememberedPointSize size)
{
    if (!UsableFace(face))
        return;
    std::erase_if(m_sizes, [&](const PointSizeEntry& e) { return e.face == face && e.bold == bold && e.height == height; });
    m_sizes.push_back(PointSizeEntry{std::string(face), bold, height, size});
    KeepAtMost(m_sizes, kMaxPointSizes);
    m_changed = true;
}

const RememberedFit* LayoutMemo::FindFit(Size client, std::uint64_t pageKey) const
{
    for (const FitEntry& e : m_fits)
        if (e.client == client && e.pageKey == pageKey)
            return &e.fit;
    return nullptr;
}

void LayoutMemo::RememberFit(Size client, std::uint64_t pageKey, RememberedFit fit)
{
    std::erase_if(m_fits, [&](const FitEntry& e) { return e.client == client && e.pageKey == pageKey; });
    m_fits.push_back(FitEntry{client, pageKey, fit});
    KeepAtMost(m_fits, kMaxFits);
    m_changed = true;
}

LayoutMemo ReadLayoutMemo(const std::string& path)
{
    if (path.empty())
        return LayoutMemo{};
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return LayoutMemo{};
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    if (error || bytes > kMaxFileBytes)
        return LayoutMemo{};
    std::ifstream file(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    if (!file.read(text.data(), static_cast<std::streamsize>(text.size())))
        return LayoutMemo{};
    return LayoutMemo::FromText(text);
}

bool WriteLayoutMemo(const std::string& path, const LayoutMemo& memo)
{
    if (path.empty())
        return false;
    const std::filesystem::path target(path);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    const std::filesystem::path temporary = target.string() + ".tmp" + std::to_string(getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        const std::string text = memo.ToText();
        if (!file.write(text.data(), static_cast<std::streamsize>(text.size())) || !file.flush()) {
            file.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace vexadra
