// The printed page without a printer: its text block, its font, its words, and where
// its lines land on a recording canvas.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../ui/RecordingCanvas.h"
#include "ui/Texts.h"
#include "ui/print/PrintLayout.h"

namespace vexadra {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

const std::string kBanner = "Vexadra - Made by Larchfield Pocket Games, 2008 -- 10/22/08 14:03:55 -- Version D604";

TEST(PrintTextBlock, FivePercentMarginsEachEdgeTruncatedOnItsOwn)
{
    const Rect block = PrintTextBlock(Size{800, 1000});
    EXPECT_EQ(block, (Rect{40, 50, 760, 950}));
    EXPECT_EQ(PrintFontHeight(block), 20);

    const Rect odd = PrintTextBlock(Size{1001, 1001});
    EXPECT_EQ(odd, (Rect{50, 50, 950, 950}));
    EXPECT_EQ(PrintFontHeight(odd), 20);

    // A4 at 1200 dots per inch, the size a real print job gets here.
    const Rect a4 = PrintTextBlock(Size{9921, 14031});
    EXPECT_EQ(a4, (Rect{496, 701, 9424, 13329}));
    EXPECT_EQ(PrintFontHeight(a4), 280);
    EXPECT_EQ(PrintFont(280), (FontSpec{"Arial", 280, true}));
}

TEST(ComposePrintText, BannerInstructionsScreenNoteThenCredits)
{
    const std::string instructions = BuildInstructionTexts()[0];
    const std::string text = ComposePrintText(kBanner, instructions);

    ASSERT_EQ(text.rfind(kBanner + " \n\n" + instructions + "\n\n", 0), 0u);
    std::string rest = text.substr(kBanner.size() + 3 + instructions.size());
    const std::string note = "\n\nFor best appearance, set the screen to 1024x768 or higher. ";
    ASSERT_EQ(rest.rfind(note, 0), 0u);
    const std::string credits = rest.substr(note.size());
    EXPECT_EQ(credits, kMakerCredits);

    // Two line feeds, then two paragraphs split by one empty line: the maker's lines,
    // then one line on where the other games are.
    ASSERT_EQ(credits.rfind("\n\n", 0), 0u);
    const std::string body = credits.substr(2);
    const std::size_t split = body.find("\n\n");
    ASSERT_NE(split, std::string::npos);
    const std::string makerLines = body.substr(0, split);
    const std::string elsewhere = body.substr(split + 2);
    EXPECT_GE(std::count(makerLines.begin(), makerLines.end(), '\n'), 3);
    EXPECT_EQ(makerLines.find("\n\n"), std::string::npos);
    EXPECT_NE(makerLines.find("All rights reserved"), std::string::npos);
    EXPECT_EQ(elsewhere.find('\n'), std::string::npos);
    EXPECT_FALSE(elsewhere.empty());
    EXPECT_EQ(credits.find("Vexadra"), std::string::npos) << "the credits say nothing about the game";

    // Paragraph breaks as the reader sees them: the banner's line, an empty line, the
    // instructions' two paragraphs, and an empty line before the note.
    EXPECT_EQ(text.find("\n\n"), kBanner.size() + 1);
    EXPECT_NE(text.find("new game. \n\nThe object in Vexadra"), std::string::npos);
    EXPECT_NE(text.find("help you.\n\nFor best appearance"), std::string::npos);
}

// Every line drawn is black, in the printing font, inside the block and under its clip.
void ExpectInsideBlock(const RecordingCanvas& canvas, const Rect& block, int fontHeight)
{
    bool clipped = false;
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == CanvasOp::Clip) {
            EXPECT_EQ(op.rect, block);
            clipped = true;
        } else if (op.kind == CanvasOp::Unclip) {
            clipped = false;
        } else if (op.kind == CanvasOp::Text) {
            SCOPED_TRACE(op.text);
            EXPECT_TRUE(clipped);
            EXPECT_EQ(op.color, RGB(0, 0, 0));
            EXPECT_EQ(op.font, (FontSpec{"Arial", fontHeight, true}));
            EXPECT_EQ(op.at.x, block.left);
            EXPECT_GE(op.at.y, block.top);
            EXPECT_LE(op.at.y + fontHeight, block.bottom);
            EXPECT_LE(op.at.x + static_cast<int>(op.text.size()) * (fontHeight / 2), block.right);
        } else {
            ADD_FAILURE() << "the page draws nothing but text";
        }
    }
}

TEST(InstructionsPrintPage, BannerFirstAtTheBlocksCornerThenTheTextInOrder)
{
    InstructionsPrintPage page("Vexadra - heading");
    RecordingCanvas canvas;
    // Wide enough for the recording canvas's broad letters to keep the whole text.
    page.Render(canvas, Size{2000, 1000});
    const Rect block{100, 50, 1900, 950};
    EXPECT_EQ(page.TextBlock(), block);
    EXPECT_EQ(page.FontHeight(), 20);
    ExpectInsideBlock(canvas, block, 20);

    const auto texts = canvas.Texts();
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(texts.front()->text, "Vexadra - heading");
    EXPECT_EQ(texts.front()->at, (Point{100, 50}));
    // An empty line stays empty but keeps its place.
    EXPECT_EQ(texts[1]->at.y, 90);
    EXPECT_EQ(texts[1]->text.rfind("The game displays two boards", 0), 0u);
    EXPECT_EQ(texts.back()->text, "More of our games are waiting for you at www.larchfield.example/games");
}

TEST(InstructionsPrintPage, LinesBeyondTheFortyFifthAreNotPrinted)
{
    std::string banner = "Vexadra - line 1";
    for (int i = 2; i <= 60; ++i)
        banner += "\nline " + std::to_string(i);
    InstructionsPrintPage page(banner);
    RecordingCanvas canvas;
    // 45 lines of 20 and a 5-pixel remainder, where the top of a 46th would show.
    page.Render(canvas, Size{800, 1010});
    const Rect block{40, 50, 760, 959};
    ASSERT_EQ(page.TextBlock(), block);
    ASSERT_EQ(page.FontHeight(), 20);
    ExpectInsideBlock(canvas, block, 20);
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 45u);
    EXPECT_EQ(texts.back()->text, "line 45");
    EXPECT_EQ(texts.back()->at.y, 50 + 44 * 20);
}

TEST(InstructionsPrintPage, APageTooSmallForAFontDrawsNothing)
{
    InstructionsPrintPage page(kBanner);
    RecordingCanvas canvas;
    page.Render(canvas, Size{40, 40});
    EXPECT_EQ(page.FontHeight(), 0);
    EXPECT_TRUE(canvas.ops.empty());
}

} // namespace
} // namespace vexadra
