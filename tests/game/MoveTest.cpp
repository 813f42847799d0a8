#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameFixture.h"
#include "game/Keys.h"

using namespace vexadra;
using namespace vexadra::testing;

namespace {

const CueCall kBrrr{IDR_SOUND_BRRR, false};
const CueCall kTake{IDR_SOUND_TAKE, false};

ColorRef Colour(int index) { return index == kBlackIndex ? kBlackWanted : g_crGameColors[index % kGameColors]; }

} // namespace

TEST_F(GameTest, WorkedExampleTakesBothColoursWithOneCue)
{
    Place(1, 0);
    Place(2, 10);
    Place(18, 16);
    Place(17, 26);
    Drag(1, 2);

    EXPECT_EQ(S().m_nSquareColor[1], 10);
    EXPECT_EQ(S().m_nSquareColor[2], 0);
    EXPECT_EQ(S().m_nSquareColor[17], kBlackIndex);
    EXPECT_EQ(S().m_nSquareColor[18], kBlackIndex);
    EXPECT_EQ(S().m_nScore[0], 16);
    EXPECT_EQ(S().m_nScore[1], 0);
    EXPECT_EQ(S().m_nMovesLeft[0], 5);
    EXPECT_EQ(S().m_nMovesLeft[1], 6);
    EXPECT_EQ(S().m_nSide, 1);
    const std::vector<std::string> expected = {
        FillLine(2, Colour(0)),  FillLine(1, Colour(10)), FillLine(18, kBlackWanted),
        "DrawScoreBox 0",        CueLine(IDR_SOUND_TAKE, false),
        FillLine(17, kBlackWanted), "DrawScoreBox 0", "DrawMovesBox 0", "DrawArrow 1", "DrawHelpLines",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(GameTest, WithNumbersOnAMoveNumbersBothSquaresByTheirNewColours)
{
    Key(VK_INSERT);
    log.clear();
    Drag(1, 2);
    EXPECT_EQ(log.at(2), "DrawSquareNumber 2 2");
    EXPECT_EQ(log.at(3), "DrawSquareNumber 1 3");
}

namespace {
struct ScoreCase {
    const char* name;
    bool first;   // the picked colour takes at the drop square
    bool second;  // the displaced colour takes at the pick-up square
    int delta;
};
class ScoreTable : public GameTest, public ::testing::WithParamInterface<ScoreCase> {};
} // namespace

// Moves 5 -> 6; the opposite squares are 21 (of 5) and 22 (of 6).
TEST_P(ScoreTable, ScoresAndBlacksOutAsTheTestsDecide)
{
    const ScoreCase& c = GetParam();
    Place(22, c.first ? 21 : 23);   // 21 is colour 5, which comes to square 6
    Place(21, c.second ? 22 : 24);  // 22 is colour 6, which comes to square 5
    const GameState before = S();

    Drag(5, 6);

    EXPECT_EQ(S().m_nScore[0], c.delta);
    EXPECT_EQ(S().m_nSquareColor[5], before.m_nSquareColor[6]);
    EXPECT_EQ(S().m_nSquareColor[6], before.m_nSquareColor[5]);
    EXPECT_EQ(S().m_nSquareColor[22], c.first ? kBlackIndex : before.m_nSquareColor[22]);
    EXPECT_EQ(S().m_nSquareColor[21], c.second ? kBlackIndex : before.m_nSquareColor[21]);
    const bool takes = c.first || c.second;
    EXPECT_EQ(Cues(), takes ? std::vector<CueCall>{kTake} : std::vector<CueCall>{});
    EXPECT_EQ(CountInLog("DrawScoreBox 0"), c.delta == 16 ? 2 : 1);
    if (takes) {  // heard with the first score that a capture brings
        EXPECT_EQ(FindInLog(CueLine(IDR_SOUND_TAKE, false)), FindInLog("DrawScoreBox 0") + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Move, ScoreTable,
                         ::testing::Values(ScoreCase{"Both", true, true, 16}, ScoreCase{"PickedOnly", true, false, 8},
                                           ScoreCase{"DisplacedOnly", false, true, 8},
                                           ScoreCase{"Nothing", false, false, -1}),
                         [](const ::testing::TestParamInfo<ScoreCase>& info) { return info.param.name; });

TEST_F(GameTest, ColoursAreComparedAsTheDisplayShowsThem)
{
    // A display that shows colour 7 like colour 6: moving 6 <-> 7 takes both.
    S().m_crShown[7] = S().m_crShown[6];
    S().m_crShown[23] = S().m_crShown[22];
    Drag(6, 7);
    EXPECT_EQ(S().m_nScore[0], 16);

    // Colours shown like the black reference are empty: they can be jumped over but
    // not picked up.
    S().m_crShown[17] = S().m_crShown[18] = S().BlackReference();
    cues.calls.clear();
    Press(17);
    EXPECT_EQ(Cues(), std::vector<CueCall>{kBrrr});
    Drag(16, 19);
    EXPECT_EQ(S().m_nSquareColor[19], 16);
}

namespace {
struct JumpCase {
    const char* name;
    int from;
    int to;
    std::vector<int> empty;
    bool legal;
};
class Jump : public GameTest, public ::testing::WithParamInterface<JumpCase> {};
} // namespace

TEST_P(Jump, IsLegalOnlyOverEmptySquaresOnALine)
{
    const JumpCase& c = GetParam();
    S().m_nSide = c.from < kBoardSquares ? 0 : 1;
    for (int n : c.empty)
        Empty(n);
    Press(c.from);
    const GameState before = S();

    Release(c.to);

    if (c.legal) {
        EXPECT_EQ(S().m_nSquareColor[c.from], before.m_nSquareColor[c.to]);
        EXPECT_EQ(S().m_nSquareColor[c.to], before.m_nSquareColor[c.from]);
        for (int n : c.empty)
            EXPECT_EQ(S().m_nSquareColor[n], kBlackIndex);
        EXPECT_EQ(S().m_nMovesLeft[before.m_nSide], 5);
        EXPECT_TRUE(Cues().empty());
    } else {
        ExpectPositionUnchanged(before);
        EXPECT_EQ(Cues(), std::vector<CueCall>{kBrrr});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Move, Jump,
    ::testing::Values(JumpCase{"RowOverTwoEmpty", 0, 3, {1, 2}, true},
                      JumpCase{"RowFirstBetweenColoured", 0, 3, {2}, false},
                      JumpCase{"RowSecondBetweenColoured", 0, 3, {1}, false},
                      JumpCase{"DiagonalOverEmpty", 0, 10, {5}, true},
                      JumpCase{"DiagonalOverColoured", 0, 10, {}, false},
                      JumpCase{"LongDiagonalBackwards", 15, 0, {5, 10}, true},
                      JumpCase{"DownLeftOverTwoEmpty", 3, 12, {6, 9}, true},
                      JumpCase{"DownLeftSecondColoured", 3, 12, {6}, false},
                      JumpCase{"DownLeftFirstColoured", 3, 12, {9}, false},
                      JumpCase{"ColumnOnTheRightBoard", 29, 21, {25}, true},
                      JumpCase{"RowOnTheRightBoardOverColoured", 16, 19, {17}, false},
                      JumpCase{"KnightsStep", 0, 6, {1, 2, 4, 5}, false},
                      JumpCase{"EndOfRowToStartOfNext", 4, 3, {}, false}),
    [](const ::testing::TestParamInfo<JumpCase>& info) { return info.param.name; });

namespace {
struct RejectCase {
    const char* name;
    Point press;
    Point release;
    int emptySquare;  // -1 for none
    int pressState;   // after the release
    bool cueAtPress;
};
class Reject : public GameTest, public ::testing::WithParamInterface<RejectCase> {};
} // namespace

TEST_P(Reject, SoundsOnceAndChangesNothing)
{
    const RejectCase& c = GetParam();
    if (c.emptySquare >= 0)
        Empty(c.emptySquare);
    game.OnLButtonDown(c.press);
    EXPECT_EQ(Cues(), c.cueAtPress ? std::vector<CueCall>{kBrrr} : std::vector<CueCall>{});
    const GameState before = S();

    game.OnLButtonUp(c.release);

    EXPECT_EQ(Cues(), std::vector<CueCall>{kBrrr});
    EXPECT_EQ(log, std::vector<std::string>{CueLine(IDR_SOUND_BRRR, false)});
    EXPECT_EQ(S().m_nPressState, c.pressState);
    ExpectPositionUnchanged(before);
}

INSTANTIATE_TEST_SUITE_P(
    Move, Reject,
    ::testing::Values(RejectCase{"OnThePickUpSquare", Centre(5), Centre(5), -1, kPressPicked, false},
                      RejectCase{"OnTheOtherBoard", Centre(5), Centre(21), -1, kPressPicked, false},
                      RejectCase{"OnABorder", Centre(0), BorderRightOf(0), -1, kPressPicked, false},
                      RejectCase{"OutsideBothBoards", Centre(0), kOutside, -1, kPressPicked, false},
                      RejectCase{"FromTheWrongSidesBoard", Centre(21), Centre(22), -1, kPressPicked, false},
                      RejectCase{"OnAnEmptySquare", Centre(5), Centre(6), 6, kPressOnEmpty, false},
                      RejectCase{"PressOnAnEmptySquare", Centre(6), Centre(5), 6, kPressNothing, true},
                      RejectCase{"PressOnABorder", BorderRightOf(4), Centre(5), -1, kPressNothing, true},
                      RejectCase{"PressOutside", kOutside, Centre(5), -1, kPressNothing, true}),
    [](const ::testing::TestParamInfo<RejectCase>& info) { return info.param.name; });

TEST_F(GameTest, ARejectedReleaseKeepsThePickUpButADropOnAnEmptySquareEndsIt)
{
    Press(5);
    Release(5);
    Release(6);  // no new press: still the colour from square 5
    EXPECT_EQ(S().m_nSquareColor[6], 5);
    EXPECT_EQ(S().m_nMovesLeft[0], 5);

    Empty(20);
    Press(21);
    Release(20);
    cues.calls.clear();
    Release(22);
    EXPECT_TRUE(Cues().empty());
    EXPECT_EQ(S().m_nMovesLeft[1], 6);
}

TEST_F(GameTest, AReleaseBeforeAnyPressDoesNothing)
{
    const GameState before = S();
    Release(1);
    EXPECT_TRUE(log.empty());
    ExpectPositionUnchanged(before);
}

TEST_F(GameTest, ANewDealDropsThePickUp)
{
    QuietMoves(11);
    int from = -1;
    int to = -1;
    // The last move of the round, remembered so that its pick-up can be released again.
    for (const AdjacentPair& p : g_adjacentPairs) {
        const int base = S().m_nSide == 0 ? 0 : kBoardSquares;
        if (!S().IsEmpty(base + p.a) && !S().IsEmpty(base + p.b)) {
            from = base + p.a;
            to = base + p.b;
            break;
        }
    }
    ASSERT_GE(from, 0);
    Drag(from, to);
    ASSERT_EQ(S().m_nRound, 2);
    ASSERT_EQ(S().m_nSide, from < kBoardSquares ? 0 : 1);  // the same side moves first now

    log.clear();
    const GameState before = S();
    Release(to);  // the colour picked up in the last round is no longer on the board
    EXPECT_TRUE(log.empty());
    ExpectPositionUnchanged(before);
}

TEST_F(GameTest, KeyboardMovesAreDragsFromThePickedToTheFramedSquareAndTheFrameFollowsTheTurn)
{
    Place(17, 16);  // 0 -> 1 takes both colours
    const GameState start = S();
    Drag(0, 1);
    const GameState dragged = S();
    const std::vector<CueCall> dragCues = Cues();

    S() = start;
    cues.calls.clear();
    log.clear();
    Key(VK_SPACE);  // no frame yet: nothing to pick up
    Key(VK_LEFT);   // the first arrow shows the frame on the top-left square
    EXPECT_EQ(S().FocusSquare(), 0);
    Key(VK_UP);
    Key(VK_SPACE);
    EXPECT_EQ(S().KeyPickSquare(), 0);
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_EQ(Cues(), dragCues);
    EXPECT_EQ(S().KeyPickSquare(), -1);
    EXPECT_EQ(S().FocusSquare(), 17) << "the frame moved to the other board";
    EXPECT_GE(FindInLog("RedrawSquare 17", FindInLog("DrawArrow 1")), 0);
    GameState keyed = S();
    keyed.m_nFocus = dragged.m_nFocus;
    EXPECT_TRUE(keyed == dragged);

    for (int i = 0; i < 5; ++i)
        Key(VK_DOWN);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(S().FocusSquare(), 31) << "the frame stops at the board's edges";
    Key(VK_HOME);
    EXPECT_EQ(S().FocusSquare(), 16);
}

TEST_F(GameTest, EscapeDropsTheKeyboardPickUpAndAMousePressReplacesIt)
{
    Key(VK_HOME);
    Key(VK_SPACE);
    Key(VK_ESCAPE);
    EXPECT_EQ(S().KeyPickSquare(), -1);
    EXPECT_EQ(log.back(), "RedrawSquare 0");
    Key(VK_RIGHT);
    Key(VK_SPACE);  // a fresh pick-up of square 1, not a drop
    EXPECT_EQ(S().m_nMovesLeft[0], kMovesPerRound);
    EXPECT_EQ(S().KeyPickSquare(), 1);

    Press(4);
    EXPECT_EQ(S().KeyPickSquare(), -1);
    Release(5);
    EXPECT_EQ(S().m_nSquareColor[5], 4) << "the mouse moved its own pick-up";
    EXPECT_TRUE(Cues().empty());
}
