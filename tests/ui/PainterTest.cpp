#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "RecordingCanvas.h"
#include "game/Deal.h"
#include "game/Keys.h"
#include "scores/ScoreHistory.h"
#include "ui/LayoutMemo.h"
#include "ui/ScreenPainter.h"
#include "ui/TextLayout.h"

namespace vexadra {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

constexpr ColorRef kWhite = RGB(255, 255, 255);
constexpr std::time_t kNow = 1224684235;

class Painter : public ::testing::Test {
protected:
    Painter() : random(7), game(history, random), painter(game, "D604")
    {
        painter.SetCanvas(&canvas);
        game.SetScreen(&painter);
    }

    GameState& S() { return game.State(); }
    const ScreenGeometry& G() { return painter.Geometry(); }
    void FirstPaint(Size client = Size{800, 573})
    {
        ASSERT_EQ(painter.OnDraw(client, kNow), ScreenPainter::PaintResult::Drawn);
        canvas.ops.clear();
    }
    bool HelpOffersEnd()
    {
        canvas.ops.clear();
        painter.DrawHelpLines();
        return canvas.FindText("Press End to end this game and view scores.") != nullptr;
    }

    ScoreHistory history;
    SeededRandom random;
    VexadraGame game;
    ScreenPainter painter;
    RecordingCanvas canvas;
};

TEST_F(Painter, TooSmallFirstPaintDrawsAndDealsNothing)
{
    for (Size client : {Size{779, 600}, Size{800, 539}}) {
        EXPECT_EQ(painter.OnDraw(client, kNow), ScreenPainter::PaintResult::TooSmall);
        EXPECT_TRUE(canvas.ops.empty());
        EXPECT_FALSE(S().m_bDealt);
        EXPECT_EQ(std::count(std::begin(S().m_nSquareColor), std::end(S().m_nSquareColor), 0), kColorSlots);
    }
    // The routines the game may call before the first layout draw nothing either.
    painter.DrawNumbers();
    painter.DrawArrow(1);
    EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(Painter, FirstPaintLaysOutResolvesDealsAndFitsThePage)
{
    canvas.depthShift = 3;
    ASSERT_EQ(painter.OnDraw(Size{800, 573}, kNow), ScreenPainter::PaintResult::Drawn);
    EXPECT_TRUE(S().m_bDealt);
    for (int n = 0; n < kSquares; ++n)
        EXPECT_EQ(S().m_rcSquare[n], G().m_rcSquare[n]) << n;
    // Each board holds its own sixteen indices once.
    std::vector<int> left(S().m_nSquareColor, S().m_nSquareColor + 16);
    std::sort(left.begin(), left.end());
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(left[k], k);
    // Colours as the display shows them.
    EXPECT_EQ(S().BlackReference(), RGB(32, 32, 32));  // 32 keeps its bits under the mask
    EXPECT_EQ(S().m_crShown[14], RGB(248, 8, 32));
    EXPECT_EQ(S().m_brBlack.color, S().BlackReference());

    EXPECT_EQ(painter.NumberFont(), (FontSpec{"Microsoft Sans Serif", 14, false}));
    EXPECT_EQ(painter.LabelFont(), (FontSpec{"Arial", 16, true}));
    EXPECT_EQ(painter.TextFont().face, "Arial");
    EXPECT_TRUE(painter.TextFont().bold);
    const int h = painter.InstructionsFontHeight();
    EXPECT_LE(h, 24);
    EXPECT_EQ((24 - h) % 2, 0);
    // The chosen height fits and the next larger one would not.
    canvas.SelectFont(painter.TextFont());
    const Rect& page = painter.InstructionsRect();
    EXPECT_EQ(page, (Rect{h / 2, h, 800 - h / 2, 573 - h}));
    EXPECT_LE(MeasureWrapped(canvas, painter.InstructionsPage(), page.Width()), page.Height());
    if (h < 24) {
        canvas.SelectFont(FontSpec{"Arial", h + 2, true});
        const int w = (h + 2) / 2;
        EXPECT_GT(MeasureWrapped(canvas, painter.InstructionsPage(), 800 - 2 * w), 573 - 2 * (h + 2));
    }
    const std::string version = " -- Version D604";
    EXPECT_EQ(painter.Title().substr(painter.Title().size() - version.size()), version);
    EXPECT_EQ(painter.Banner(), "Vexadra - " + painter.Title());
}

TEST_F(Painter, TheFittedFontIsTheFirstFromTheTopThatFits)
{
    canvas.proportional = true;
    const auto firstThatFits = [this](const Rect& client) {
        const int start = (12 * G().m_nUnitY) / 4;
        canvas.SelectFont(FontSpec{"Arial", start, true});
        const Size w = canvas.TextExtent("W");
        const Rect fit{client.left + w.cx, client.top + w.cy, client.right - w.cx, client.bottom - w.cy};
        int height = start;
        while (MeasureWrapped(canvas, painter.InstructionsPage(), fit.Width()) > fit.Height() &&
               height - 2 >= kMinFontHeight) {
            height -= 2;
            canvas.SelectFont(FontSpec{"Arial", height, true});
        }
        return height;
    };
    for (const int scale : {1, 2, 5})
        for (int w = 780; w <= 2600; w += 91)
            for (const int h : {540, 573, 700, 905, 1200, 1600}) {
                canvas.widthScale = scale;
                ASSERT_EQ(painter.OnDraw(Size{w, h}, kNow), ScreenPainter::PaintResult::Drawn);
                EXPECT_EQ(painter.InstructionsFontHeight(), firstThatFits(G().m_rcClient)) << w << "x" << h << " x" << scale;
            }
}

TEST_F(Painter, ARememberedFitIsTakenOnlyWhileThePageMeasuresAsItDid)
{
    LayoutMemo memo;
    const Size client{1000, 700};
    // A later run's painter on its own canvas, with the memo.
    const auto fitWith = [&](int widthScale) {
        ScreenPainter later(game, "D604");
        RecordingCanvas fresh;
        fresh.proportional = true;
        fresh.widthScale = widthScale;
        later.SetCanvas(&fresh);
        later.SetLayoutMemo(&memo);
        EXPECT_EQ(later.OnDraw(client, kNow), ScreenPainter::PaintResult::Drawn);
        return std::pair{later.InstructionsFontHeight(), fresh.measures};
    };
    canvas.proportional = true;
    painter.SetLayoutMemo(&memo);
    FirstPaint(client);
    const int fitted = painter.InstructionsFontHeight();
    ASSERT_LT(fitted, (12 * G().m_nUnitY) / 4);  // the page did not fit at once: a search was made
    ASSERT_NE(memo.FindFit(client, TextKey(painter.InstructionsPage())), nullptr);

    const auto [remembered, measures] = fitWith(1);
    EXPECT_EQ(remembered, fitted);
    EXPECT_LT(measures, canvas.measures / 3);  // no page broken into lines, only the panel's few texts
    // Text twice as wide measures the page otherwise: the font is searched for again,
    // and the new fit replaces the old.
    canvas.widthScale = 2;
    canvas.measures = 0;
    painter.SetLayoutMemo(nullptr);
    painter.SetCanvas(&canvas);  // laid out again, measured anew
    EXPECT_EQ(fitWith(2).first, painter.InstructionsFontHeight());
    EXPECT_LT(fitWith(2).second, canvas.measures / 3);
    // A remembered height the search could never give is not taken.
    memo.RememberFit(client, TextKey(painter.InstructionsPage()), RememberedFit{fitted + 1, Size{1, 1}});
    EXPECT_EQ(fitWith(2).first, painter.InstructionsFontHeight());
}

TEST_F(Painter, FittingStopsAtTheSmallestFont)
{
    canvas.widthScale = 1000;
    FirstPaint();
    EXPECT_EQ(painter.InstructionsFontHeight(), kMinFontHeight);
}

TEST_F(Painter, GameScreenPaintsBackgroundSquaresPanelAndHintInOrder)
{
    FirstPaint();
    S().m_nSide = 1;
    ASSERT_EQ(painter.OnDraw(Size{800, 573}, kNow), ScreenPainter::PaintResult::Drawn);
    const auto& ops = canvas.ops;
    ASSERT_GE(ops.size(), 34u);
    EXPECT_EQ(ops[0].kind, CanvasOp::Fill);
    EXPECT_EQ(ops[0].rect, (Rect{0, 0, 800, 573}));
    EXPECT_EQ(ops[0].color, kWhite);
    for (int n = 0; n < kSquares; ++n) {
        EXPECT_EQ(ops[1 + n].rect, G().m_rcSquare[n]);
        EXPECT_EQ(ops[1 + n].color, S().ShownColorOf(n));
    }
    EXPECT_EQ(ops[33].kind, CanvasOp::Poly);
    EXPECT_EQ(ops[33].points.front(), G().m_ptArrow[1][0]);

    const CanvasOp* hint = canvas.FindText("Press Insert to number each color");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->at.x, G().m_rcHint.left);
    EXPECT_EQ(hint->color, RGB(0, 0, 0));
    EXPECT_EQ(hint->font, painter.HintFont());
    EXPECT_NE(canvas.FindText("1/1"), nullptr);
    EXPECT_EQ(canvas.FindText("1"), nullptr);  // numbering is off
    for (const CanvasOp& op : ops)
        EXPECT_NE(op.color, RGB(255, 255, 192)) << "no paper on the game screen";
}

TEST_F(Painter, PageModeDrawsOnlyThePageAndStillRefreshesTheTitle)
{
    FirstPaint();
    S().m_bInstructions = true;
    ASSERT_EQ(painter.OnDraw(Size{800, 573}, kNow + 61), ScreenPainter::PaintResult::Drawn);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Fill);
    EXPECT_EQ(canvas.ops[0].color, RGB(255, 255, 192));
    EXPECT_EQ(canvas.ops[0].rect, (Rect{0, 0, 800, 573}));
    for (std::size_t i = 1; i < canvas.ops.size(); ++i) {
        const CanvasOp& op = canvas.ops[i];
        EXPECT_TRUE(op.kind == CanvasOp::Text || op.kind == CanvasOp::Clip || op.kind == CanvasOp::Unclip);
        if (op.kind == CanvasOp::Text) {
            EXPECT_EQ(op.color, RGB(0, 0, 0));
            EXPECT_EQ(op.at.x, painter.InstructionsRect().left);
        }
    }
    EXPECT_EQ(canvas.Texts().front()->text, "Instructions for VEXADRA.");
    EXPECT_NE(painter.Title().find("14:04:56"), std::string::npos);
}

TEST_F(Painter, HelpLinesOfferEndOnlyWhileEndWouldAct)
{
    FirstPaint();
    EXPECT_FALSE(HelpOffersEnd());  // scores 0 : 0
    S().m_nScore[1] = -3;
    EXPECT_TRUE(HelpOffersEnd());
    S().m_nMovesLeft[0] = 5;
    EXPECT_FALSE(HelpOffersEnd());
    S().m_nMovesLeft[0] = 6;
    S().m_bInstructions = true;
    EXPECT_FALSE(HelpOffersEnd());
    EXPECT_EQ(canvas.ops.front().kind, CanvasOp::Fill);
    EXPECT_EQ(canvas.ops.front().rect, G().m_rcHelp);
    EXPECT_EQ(canvas.Texts().front()->color, RGB(0, 0, 192));
}

TEST_F(Painter, ArrowMarksTheActiveSideAndClearsTheOther)
{
    FirstPaint();
    for (int side : {0, 1}) {
        canvas.ops.clear();
        painter.DrawArrow(side);
        ASSERT_EQ(canvas.ops.size(), 2u);
        EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Poly);
        EXPECT_EQ(canvas.ops[0].points, std::vector<Point>(G().m_ptArrow[side], G().m_ptArrow[side] + 4));
        EXPECT_EQ(canvas.ops[0].color, S().BlackReference());
        EXPECT_EQ(canvas.ops[1].rect, G().m_rcArrow[1 - side]);
        EXPECT_EQ(canvas.ops[1].color, kWhite);
    }
}

// The text stands centred (to a pixel) in the rectangle, both ways.
void ExpectCentredIn(const CanvasOp* text, const Rect& rect, int widthScale)
{
    ASSERT_NE(text, nullptr);
    const int charWidth = widthScale * (text->font.height > 1 ? text->font.height / 2 : 1);
    const int width = static_cast<int>(text->text.size()) * charWidth;
    const int height = text->font.height;
    EXPECT_NEAR(2 * text->at.x + width, rect.left + rect.right, 2) << '"' << text->text << '"';
    EXPECT_NEAR(2 * text->at.y + height, rect.top + rect.bottom, 2) << '"' << text->text << '"';
}

// Each label of the given text, in the order drawn, checked against its own strip.
void ExpectLabelsCentred(const RecordingCanvas& canvas, const char* label, const Rect (&strips)[kSides])
{
    std::vector<const CanvasOp*> found;
    for (const CanvasOp* t : canvas.Texts())
        if (t->text == label)
            found.push_back(t);
    ASSERT_EQ(found.size(), 2u) << label;
    for (int side = 0; side < kSides; ++side)
        ExpectCentredIn(found[side], strips[side], canvas.widthScale);
}

TEST_F(Painter, BoxesShowTheirFiguresAndRedrawBothLabels)
{
    FirstPaint();
    S().m_nScore[0] = -1;
    painter.DrawScoreBox(0);
    EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Box);
    EXPECT_EQ(canvas.ops[0].rect, G().m_rcScore[0]);
    EXPECT_EQ(canvas.ops[0].penWidth, 2);
    EXPECT_EQ(canvas.ops[0].color, kWhite);
    const CanvasOp* figure = canvas.FindText("-1");
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->color, RGB(192, 0, 0));
    EXPECT_EQ(figure->font, painter.TextFont());
    int labels = 0;
    for (const CanvasOp* t : canvas.Texts())
        labels += t->text == "Score" && t->font == painter.LabelFont() && t->color == RGB(192, 0, 0);
    EXPECT_EQ(labels, 2);
    ExpectCentredIn(figure, G().m_rcScore[0], canvas.widthScale);
    ExpectLabelsCentred(canvas, "Score", G().m_rcScoreLabel);

    canvas.ops.clear();
    S().m_nMovesLeft[1] = 4;
    painter.DrawMovesBox(1);
    EXPECT_EQ(canvas.ops[0].rect, G().m_rcMoves[1]);
    ASSERT_NE(canvas.FindText("4"), nullptr);
    EXPECT_EQ(canvas.FindText("4")->color, RGB(0, 192, 0));
    EXPECT_EQ(canvas.Texts().size(), 3u);  // the figure and two "Moves Left"
    ExpectCentredIn(canvas.FindText("4"), G().m_rcMoves[1], canvas.widthScale);
    ExpectLabelsCentred(canvas, "Moves Left", G().m_rcMovesLabel);

    // Game 2, round 3: one game recorded, then two rounds on.
    S().m_nMovesLeft[1] = 6;
    S().m_nScore[0] = 5;
    game.EndGame();
    S().m_nRound = 3;
    canvas.ops.clear();
    painter.DrawGameRoundBox();
    ASSERT_NE(canvas.FindText("2/3"), nullptr);
    EXPECT_EQ(canvas.FindText("2/3")->color, RGB(0, 0, 192));
    ExpectCentredIn(canvas.FindText("2/3"), G().m_rcGameRound, canvas.widthScale);
    ExpectCentredIn(canvas.FindText("Game/Round"), G().m_rcGameRoundLabel, canvas.widthScale);
}

TEST_F(Painter, NumbersStandOnColouredSquaresOnlyAndMatchAcrossBoards)
{
    FirstPaint();
    const int taken[2] = {S().m_nSquareColor[3] % 16 + 1, S().m_nSquareColor[20] % 16 + 1};
    S().m_nSquareColor[3] = kBlackIndex;
    S().m_nSquareColor[20] = kBlackIndex;
    S().m_bNumbers = true;
    ASSERT_EQ(painter.OnDraw(Size{800, 573}, kNow), ScreenPainter::PaintResult::Drawn);

    int perNumber[17] = {};
    for (int n = 0; n < kSquares; ++n) {
        const Rect& sq = G().m_rcSquare[n];
        const CanvasOp* found = nullptr;
        for (const CanvasOp* t : canvas.Texts())
            if (t->font == painter.NumberFont() && sq.ContainsStrictly(t->at) && t->text != "Press Insert to number each color")
                found = t;
        if (n == 3 || n == 20) {
            EXPECT_EQ(found, nullptr) << n;
            continue;
        }
        ASSERT_NE(found, nullptr) << n;
        const int number = std::stoi(found->text);
        EXPECT_EQ(number, S().m_nSquareColor[n] % 16 + 1) << n;
        ++perNumber[number];
    }
    for (int k = 1; k <= 16; ++k)
        EXPECT_EQ(perNumber[k], 2 - (taken[0] == k) - (taken[1] == k)) << k;

    canvas.ops.clear();
    painter.DrawSquareNumber(5, 0);
    EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(Painter, ALaterPaintAtAnotherSizeLaysOutAfreshAndKeepsTheGame)
{
    FirstPaint();
    S().m_nScore[0] = 15;
    S().m_nMovesLeft[0] = 3;
    S().m_nSquareColor[7] = kBlackIndex;
    int before[kColorSlots];
    std::memcpy(before, S().m_nSquareColor, sizeof before);
    const ColorRef shown0 = S().m_crShown[0];

    ASSERT_EQ(painter.OnDraw(Size{1024, 718}, kNow), ScreenPainter::PaintResult::Drawn);
    EXPECT_EQ(G().m_nUnitX, 10);
    EXPECT_EQ(S().m_rcSquare[16], (Rect{534, 277, 654, 385}));
    EXPECT_EQ(S().m_rcClient, (Rect{0, 0, 1024, 718}));
    EXPECT_EQ(painter.NumberFont().height, (7 * 9) / 4);
    EXPECT_EQ(painter.LabelFont().height, 18);
    EXPECT_TRUE(std::equal(before, before + kColorSlots, S().m_nSquareColor));
    EXPECT_EQ(S().m_nScore[0], 15);
    EXPECT_EQ(S().m_nMovesLeft[0], 3);
    EXPECT_EQ(S().m_crShown[0], shown0);
    EXPECT_NE(canvas.FindText("15"), nullptr);

    // Smaller than the minimum: laid out at the minimum, never refused.
    EXPECT_EQ(painter.OnDraw(Size{700, 500}, kNow), ScreenPainter::PaintResult::Drawn);
    EXPECT_EQ(G().m_rcClient, (Rect{0, 0, 780, 540}));
    EXPECT_EQ(S().m_rcSquare[31], (Rect{689, 449, 773, 533}));
    EXPECT_TRUE(std::equal(before, before + kColorSlots, S().m_nSquareColor));
}

TEST_F(Painter, AnotherCanvasIsMeasuredAnew)
{
    FirstPaint();
    S().m_bInstructions = true;
    painter.DrawInstructionsPage();  // the page broken into lines for this canvas
    const Rect before = painter.InstructionsRect();
    RecordingCanvas wider;
    wider.widthScale = 2;
    painter.SetCanvas(&wider);
    EXPECT_NE(painter.InstructionsRect(), before);
    wider.SelectFont(painter.TextFont());
    EXPECT_LE(MeasureWrapped(wider, painter.InstructionsPage(), painter.InstructionsRect().Width()),
              painter.InstructionsRect().Height());
    // ...and drawn with lines broken anew for the other canvas.
    painter.DrawInstructionsPage();
    ASSERT_FALSE(wider.Texts().empty());
    for (const CanvasOp* line : wider.Texts())
        EXPECT_LE(wider.TextExtent(line->text).cx, painter.InstructionsRect().Width()) << line->text;
}

TEST_F(Painter, PresentCallsThePresenter)
{
    int presented = 0;
    painter.Present();  // no presenter yet: nothing happens
    painter.SetPresenter([&presented] { ++presented; });
    FirstPaint();
    EXPECT_EQ(presented, 0);  // a paint draws into the image; the window copies it
    S().m_nScore[0] = 5;
    game.OnKeyDown(VK_END);
    EXPECT_GE(presented, 1);
}

} // namespace
} // namespace vexadra
