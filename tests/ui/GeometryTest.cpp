#include <gtest/gtest.h>

#include "ui/Geometry.h"

namespace vexadra {
namespace {

TEST(Geometry, ClientOf800By573MatchesTheLayoutValueForValue)
{
    const ScreenGeometry g = ComputeGeometry(800, 573);
    EXPECT_EQ(g.m_nUnitX, 8);
    EXPECT_EQ(g.m_nUnitY, 8);
    EXPECT_EQ(g.m_rcSquare[0], (Rect{8, 8, 104, 104}));
    EXPECT_EQ(g.m_rcSquare[15], (Rect{296, 296, 392, 392}));
    EXPECT_EQ(g.m_rcSquare[16], (Rect{408, 181, 504, 277}));
    EXPECT_EQ(g.m_rcSquare[31], (Rect{696, 469, 792, 565}));
    EXPECT_EQ(g.m_rcArrow[0], (Rect{196, 400, 204, 416}));
    EXPECT_EQ(g.m_rcArrow[1], (Rect{596, 157, 604, 173}));
    EXPECT_EQ(g.m_rcScore[0], (Rect{8, 424, 104, 456}));
    EXPECT_EQ(g.m_rcScore[1], (Rect{408, 117, 504, 149}));
    EXPECT_EQ(g.m_rcMoves[0], (Rect{296, 424, 392, 456}));
    EXPECT_EQ(g.m_rcMoves[1], (Rect{696, 117, 792, 149}));
    EXPECT_EQ(g.m_rcScoreLabel[0], (Rect{8, 408, 104, 424}));
    EXPECT_EQ(g.m_rcScoreLabel[1], (Rect{408, 101, 504, 117}));
    EXPECT_EQ(g.m_rcMovesLabel[0], (Rect{296, 408, 392, 424}));
    EXPECT_EQ(g.m_rcMovesLabel[1], (Rect{696, 101, 792, 117}));
    EXPECT_EQ(g.m_rcHelp, (Rect{8, 480, 392, 565}));
    EXPECT_EQ(g.m_rcGameRoundLabel, (Rect{408, 8, 504, 24}));
    EXPECT_EQ(g.m_rcGameRound, (Rect{408, 24, 504, 56}));
    EXPECT_EQ(g.m_rcHint, (Rect{408, 149, 592, 181}));
    const Point up[4] = {{196, 415}, {200, 400}, {203, 415}, {200, 412}};
    const Point down[4] = {{596, 157}, {600, 172}, {603, 157}, {600, 161}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g.m_ptArrow[0][i], up[i]) << i;
        EXPECT_EQ(g.m_ptArrow[1][i], down[i]) << i;
    }
    EXPECT_EQ(g.m_rcClient, (Rect{0, 0, 800, 573}));
}

TEST(Geometry, SmallestAcceptedClientAndAWideOne)
{
    const ScreenGeometry small = ComputeGeometry(780, 540);
    EXPECT_EQ(small.m_nUnitX, 7);
    EXPECT_EQ(small.m_nUnitY, 7);
    EXPECT_EQ(small.m_rcSquare[31], (Rect{689, 449, 773, 533}));
    EXPECT_EQ(small.m_rcArrow[0], (Rect{172, 350, 179, 364}));

    const ScreenGeometry wide = ComputeGeometry(1024, 718);
    EXPECT_EQ(wide.m_nUnitX, 10);
    EXPECT_EQ(wide.m_nUnitY, 9);
    EXPECT_EQ(wide.m_rcSquare[16], (Rect{534, 277, 654, 385}));
    for (int n = 0; n < kSquares; ++n) {
        EXPECT_EQ(wide.m_rcSquare[n].Width(), 120) << n;
        EXPECT_EQ(wide.m_rcSquare[n].Height(), 108) << n;
    }
}

TEST(Geometry, BoardsAreGaplessGridsAndSquareKFacesSquareKPlus16)
{
    const ScreenGeometry g = ComputeGeometry(1024, 718);
    for (int n = 0; n < kSquares; ++n) {
        const Rect& r = g.m_rcSquare[n];
        if (ColumnOf(n) < 3) {
            EXPECT_EQ(r.right, g.m_rcSquare[n + 1].left) << n;
        }
        if (RowOf(n) < 3) {
            EXPECT_EQ(r.bottom, g.m_rcSquare[n + 4].top) << n;
        }
    }
    for (int k = 0; k < kBoardSquares; ++k) {
        const Rect& l = g.m_rcSquare[k];
        const Rect& r = g.m_rcSquare[k + kBoardSquares];
        EXPECT_EQ(r.left - l.left, 1024 - 50 * g.m_nUnitX) << k;
        EXPECT_EQ(r.top - l.top, 718 - 50 * g.m_nUnitY) << k;
    }
    // The hint stays clear of the right arrow.
    EXPECT_LE(g.m_rcHint.right, g.m_rcArrow[1].left);
}

TEST(Geometry, ClientBelow780By540IsTooSmall)
{
    EXPECT_TRUE(IsClientTooSmall(779, 600));
    EXPECT_TRUE(IsClientTooSmall(800, 539));
    EXPECT_FALSE(IsClientTooSmall(780, 540));
    EXPECT_FALSE(IsClientTooSmall(1920, 1080));
}

} // namespace
} // namespace vexadra
