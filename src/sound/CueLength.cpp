#include "sound/CueLength.h"

#include <cstdint>
#include <cstring>

namespace vexadra {

namespace {
std::uint32_t ReadLe32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24); }
} // namespace

std::chrono::milliseconds CueLength(SoundImage image)
{
    constexpr std::size_t kRiffHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    if (!image || image.size < kRiffHeader || std::memcmp(image.data, "RIFF", 4) != 0 ||
        std::memcmp(image.data + 8, "WAVE", 4) != 0)
        return {};
    std::uint64_t byteRate = 0;
    std::uint64_t dataBytes = 0;
    std::size_t at = kRiffHeader;
    while (image.size - at >= kChunkHeader) {
        const unsigned char* chunk = image.data + at;
        const std::uint32_t size = ReadLe32(chunk + 4);
        const std::size_t room = image.size - at - kChunkHeader;
        // A chunk that claims more than the image holds is cut to what is there.
        const std::size_t body = size < room ? size : room;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && body >= 12)
            byteRate = ReadLe32(chunk + kChunkHeader + 8);
        else if (std::memcmp(chunk, "data", 4) == 0)
            dataBytes = body;
        if (body == room)
            break;
        at += kChunkHeader + body + (body & 1);  // chunks are padded to an even length
    }
    if (byteRate == 0)
        return {};
    return std::chrono::milliseconds(dataBytes * 1000 / byteRate);
}

} // namespace vexadra
