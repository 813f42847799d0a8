#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "ui/SquareFrame.h"

using namespace vexadra;

// The move's fill of the square must wipe the frame out, and the square's colour must
// still show through it.
TEST(SquareFrameTest, BlackAndWhiteRingsInsideTheSquareLeavingItsMiddle)
{
    for (const Rect square : {Rect{100, 50, 190, 140}, Rect{10, 10, 40, 40}}) {
        vexadra::test::RecordingCanvas canvas;
        DrawSquareFrame(canvas, square);
        bool black = false;
        bool white = false;
        const Point middle{(square.left + square.right) / 2, (square.top + square.bottom) / 2};
        for (const auto& op : canvas.ops) {
            ASSERT_EQ(op.kind, vexadra::test::CanvasOp::Fill);
            EXPECT_TRUE(op.rect.left >= square.left && op.rect.top >= square.top && op.rect.right <= square.right &&
                        op.rect.bottom <= square.bottom);
            EXPECT_FALSE(op.rect.ContainsStrictly(middle));
            black |= op.color == RGB(0, 0, 0);
            white |= op.color == RGB(255, 255, 255);
        }
        EXPECT_TRUE(black && white);
    }
}
