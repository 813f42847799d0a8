#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "res/AppIcon.h"

namespace vexadra {
namespace {

int BigEndian(const unsigned char* bytes)
{
    return (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
}

TEST(AppIcon, TheWindowIconsArePngsOfTheirOwnSide)
{
    std::vector<int> sides;
    for (const IconImage& image : AppIconImages()) {
        sides.push_back(image.side);
        ASSERT_GT(image.size, 24u);
        EXPECT_EQ(std::memcmp(image.png, "\x89PNG\r\n\x1a\n", 8), 0) << image.side;
        EXPECT_EQ(std::memcmp(image.png + 12, "IHDR", 4), 0) << image.side;
        EXPECT_EQ(BigEndian(image.png + 16), image.side);  // width
        EXPECT_EQ(BigEndian(image.png + 20), image.side);  // height
    }
    EXPECT_EQ(sides, (std::vector<int>{16, 32, 48, 64, 128}));
}

} // namespace
} // namespace vexadra
