#pragma once
// A strict reader of the RIFF WAVE images the program carries, for the sound tests.

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vexadra::test {

struct WavFile {
    unsigned formatTag = 0;
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned byteRate = 0;
    unsigned blockAlign = 0;
    unsigned bits = 0;
    std::span<const unsigned char> data;
    std::vector<std::string> chunkIds;  // top-level chunks in order
    std::string infoName;               // LIST/INFO INAM, without its terminator

    // The samples scaled to [-1, 1): 8-bit data is unsigned, 16-bit is signed little-endian.
    std::vector<double> Samples() const
    {
        std::vector<double> out;
        if (bits == 8) {
            for (unsigned char b : data)
                out.push_back((static_cast<int>(b) - 128) / 128.0);
        } else if (bits == 16) {
            for (std::size_t i = 0; i + 1 < data.size(); i += 2)
                out.push_back(static_cast<std::int16_t>(data[i] | (data[i + 1] << 8)) / 32768.0);
        }
        return out;
    }
};

inline std::uint32_t ReadLe(std::span<const unsigned char> b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

// Accepts only a well-formed image: sizes that add up, even chunk padding, exactly one
// fmt before exactly one data chunk. Returns nothing otherwise.
inline std::optional<WavFile> ParseWav(std::span<const unsigned char> image)
{
    if (image.size() < 12 || std::memcmp(image.data(), "RIFF", 4) != 0 || std::memcmp(image.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    if (ReadLe(image, 4, 4) != image.size() - 8)
        return std::nullopt;
    WavFile wav;
    bool haveFmt = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at < image.size()) {
        if (image.size() - at < 8)
            return std::nullopt;
        const std::string id(reinterpret_cast<const char*>(image.data() + at), 4);
        const std::size_t length = ReadLe(image, at + 4, 4);
        const std::size_t padded = length + (length % 2);
        if (image.size() - at - 8 < padded)
            return std::nullopt;
        const auto body = image.subspan(at + 8, length);
        wav.chunkIds.push_back(id);
        if (id == "fmt ") {
            if (haveFmt || length < 16)
                return std::nullopt;
            haveFmt = true;
            wav.formatTag = ReadLe(body, 0, 2);
            wav.channels = ReadLe(body, 2, 2);
            wav.rate = ReadLe(body, 4, 4);
            wav.byteRate = ReadLe(body, 8, 4);
            wav.blockAlign = ReadLe(body, 12, 2);
            wav.bits = ReadLe(body, 14, 2);
        } else if (id == "data") {
            if (haveData || !haveFmt)
                return std::nullopt;
            haveData = true;
            wav.data = body;
        } else if (id == "LIST" && length >= 4 && std::memcmp(body.data(), "INFO", 4) == 0) {
            for (std::size_t sub = 4; sub + 8 <= length;) {
                const std::size_t subLength = ReadLe(body, sub + 4, 4);
                if (sub + 8 + subLength > length)
                    return std::nullopt;
                if (std::memcmp(body.data() + sub, "INAM", 4) == 0 && subLength > 0)
                    wav.infoName.assign(reinterpret_cast<const char*>(body.data() + sub + 8), subLength - 1);
                sub += 8 + subLength + (subLength % 2);
            }
        }
        at += 8 + padded;
    }
    if (!haveData)
        return std::nullopt;
    return wav;
}

} // namespace vexadra::test
