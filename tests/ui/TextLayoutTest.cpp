#include <algorithm>

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "ui/TextLayout.h"

namespace vexadra {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;
using Lines = std::vector<std::string>;

// Height 10: each character 5 pixels wide, lines 10 apart.
RecordingCanvas TenPixelCanvas()
{
    RecordingCanvas c;
    c.SelectFont(FontSpec{"Arial", 10, true});
    return c;
}

TEST(TextLayout, BreaksAtEveryLineFeedKeepingEmptyLines)
{
    RecordingCanvas c = TenPixelCanvas();
    EXPECT_EQ(WrapLines(c, "one\n\ntwo\n", 1000), (Lines{"one", "", "two", ""}));
    EXPECT_EQ(WrapLines(c, "", 1000), (Lines{""}));
}

TEST(TextLayout, BreaksAtSpacesAndDropsTheSpacesAtTheBreak)
{
    RecordingCanvas c = TenPixelCanvas();
    // "aaa bbb" is 35 pixels: it fits exactly at 35 and not at 34.
    EXPECT_EQ(WrapLines(c, "aaa bbb ccc", 35), (Lines{"aaa bbb", "ccc"}));
    EXPECT_EQ(WrapLines(c, "aaa bbb ccc", 34), (Lines{"aaa", "bbb", "ccc"}));
    // Trailing spaces take no width and make no line of their own.
    EXPECT_EQ(WrapLines(c, "aaa bbb   ", 35), (Lines{"aaa bbb"}));
    EXPECT_EQ(WrapLines(c, "exit. \nnext", 1000), (Lines{"exit.", "next"}));
    EXPECT_EQ(WrapLines(c, "aaa    bbb", 30), (Lines{"aaa", "bbb"}));
}

TEST(TextLayout, AWordWiderThanTheLineStandsAloneUncut)
{
    RecordingCanvas c = TenPixelCanvas();
    EXPECT_EQ(WrapLines(c, "a enormousword b", 20), (Lines{"a", "enormousword", "b"}));
    EXPECT_EQ(WrapLines(c, "enormousword", 0), (Lines{"enormousword"}));
    EXPECT_EQ(WrapLines(c, "x y", -5), (Lines{"x", "y"}));
}

// The line breaks of measuring every word in turn, the plainest way there is.
Lines WordByWord(Canvas& c, const std::string& para, int width)
{
    Lines lines;
    std::string line;
    std::size_t pos = 0;
    while (pos < para.size()) {
        const std::size_t end = std::min(para.find(' ', pos), para.size());
        const std::string word = para.substr(pos, end - pos);
        pos = end + 1;
        if (word.empty())
            continue;
        std::string longer = line;
        if (!longer.empty())
            longer += ' ';
        longer += word;
        if (line.empty() || c.TextExtent(longer).cx <= width) {
            line = longer;
        } else {
            lines.push_back(line);
            line = word;
        }
    }
    lines.push_back(line);
    return lines;
}

TEST(TextLayout, LinesEndWhereMeasuringEveryWordEndsThemInAFewMeasurementsALine)
{
    RecordingCanvas c = TenPixelCanvas();
    c.proportional = true;
    const std::string para =
        "Drag a color on your own board onto a square where the other board shows the same color, "
        "and it is taken away: eight points. A move that takes nothing costs a point. Six moves a "
        "side make a round; then the gong, and a fresh deal. Milliwatt illusions will mislead me.";
    int measures = 0;
    std::size_t lines = 0;
    for (int width = 1; width <= 700; width += 3) {
        c.measures = 0;
        const Lines wrapped = WrapLines(c, para, width);
        if (width >= 150) {  // lines of several words
            measures += c.measures;
            lines += wrapped.size();
        }
        ASSERT_EQ(wrapped, WordByWord(c, para, width)) << "at width " << width;
    }
    EXPECT_LT(measures, 4 * static_cast<int>(lines));  // doubling out from the first word took six or seven
}

TEST(TextLayout, MeasuredHeightIsWhereTheDrawnLinesEnd)
{
    RecordingCanvas c = TenPixelCanvas();
    const std::string text = "The quick brown fox\n\njumps over the lazy dog. enormouslylongword  end ";
    const Rect rect{20, 30, 20 + 60, 1000};
    const int measured = MeasureWrapped(c, text, rect.Width());
    DrawWrapped(c, text, rect, RGB(0, 0, 192));

    const auto texts = c.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back()->at.y + c.LineHeight() - rect.top, measured);
    for (const CanvasOp* t : texts) {
        EXPECT_EQ(t->at.x, rect.left);
        EXPECT_EQ(t->color, RGB(0, 0, 192));
    }
    EXPECT_EQ(c.ops.front().kind, CanvasOp::Clip);
    EXPECT_EQ(c.ops.front().rect, rect);
    EXPECT_EQ(c.ops.back().kind, CanvasOp::Unclip);
}

TEST(TextLayout, WrappedTextStopsAtTheBottomOfItsRectangle)
{
    RecordingCanvas c = TenPixelCanvas();
    DrawWrapped(c, "a\nb\nc\nd", Rect{0, 0, 100, 25}, 0);
    EXPECT_EQ(c.Texts().size(), 3u);  // the third line starts inside and is clipped there
}

TEST(TextLayout, SingleLinePlacements)
{
    RecordingCanvas c = TenPixelCanvas();
    const Rect box{100, 50, 200, 90};
    DrawCentered(c, "-12", box, RGB(192, 0, 0));  // 15 by 10
    DrawLeftCentered(c, "hint", box, 0);
    DrawCentered(c, "much too long for the box", box, 0);  // 125 wide: overhangs both sides
    const auto texts = c.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->at, (Point{142, 65}));
    EXPECT_EQ(texts[1]->at, (Point{100, 65}));
    EXPECT_EQ(texts[2]->at.x, 100 + (100 - 125) / 2);
    int clips = 0;
    for (const CanvasOp& op : c.ops)
        if (op.kind == CanvasOp::Clip) {
            EXPECT_EQ(op.rect, box);
            ++clips;
        }
    EXPECT_EQ(clips, 3);
}

} // namespace
} // namespace vexadra
