#include <gtest/gtest.h>

#include <set>

#include "game/ColorTable.h"
#include "ui/DisplayColor.h"

namespace vexadra {
namespace {

TEST(DisplayColor, TrueColourShowsEveryColourAsItIs)
{
    for (ColorRef c : {RGB(1, 2, 3), RGB(32, 32, 32), RGB(255, 15, 35)}) {
        EXPECT_EQ(NearestColorAtDepth(c, 24), c);
        EXPECT_EQ(NearestColorAtDepth(c, 32), c);
    }
}

TEST(DisplayColor, LowerDepthsRoundEachChannelAndKeepTheExtremes)
{
    for (int depth : {16, 15, 8, 4}) {
        EXPECT_EQ(NearestColorAtDepth(RGB(0, 0, 0), depth), RGB(0, 0, 0)) << depth;
        EXPECT_EQ(NearestColorAtDepth(RGB(255, 255, 255), depth), RGB(255, 255, 255)) << depth;
    }
    // 5-6-5: red 240 -> 29/31 -> 239; green 160 -> 40/63 -> 162; blue 100 -> 12/31 -> 99.
    EXPECT_EQ(NearestColorAtDepth(RGB(240, 160, 100), 16), RGB(239, 162, 99));
    // 3-3-2: blue has four levels only.
    EXPECT_EQ(NearestColorAtDepth(RGB(0, 0, 100), 8), RGB(0, 0, 85));
    EXPECT_EQ(NearestColorAtDepth(RGB(200, 200, 200), 1), RGB(255, 255, 255));
    EXPECT_EQ(NearestColorAtDepth(kBlackWanted, 1), RGB(0, 0, 0));
}

TEST(DisplayColor, SixteenBitsStillTellTheGameColoursAndBlackApart)
{
    std::set<ColorRef> shown;
    for (ColorRef c : g_crGameColors)
        shown.insert(NearestColorAtDepth(c, 16));
    shown.insert(NearestColorAtDepth(kBlackWanted, 16));
    EXPECT_EQ(shown.size(), 17u);
}

} // namespace
} // namespace vexadra
