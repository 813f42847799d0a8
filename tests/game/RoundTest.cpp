#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "GameFixture.h"
#include "game/Keys.h"

using namespace vexadra;
using namespace vexadra::testing;

TEST(Game, StartsTheRunWithAnEmptyHistoryAndTheLeftSideToMove)
{
    ScoreHistory history;
    history.RecordGame(5, 7, 2);
    ScriptedRandom random([](int) { return 0; });
    VexadraGame game(history, random);
    const GameState& s = game.State();

    EXPECT_EQ(history.m_nGameCount, 0);
    EXPECT_EQ(history.m_nGameNumber[0], 0);
    EXPECT_EQ(history.m_nLeftScore[0], 0);
    EXPECT_EQ(game.GameNumber(), 1);
    EXPECT_EQ(s.m_nScore[0], 0);
    EXPECT_EQ(s.m_nScore[1], 0);
    EXPECT_EQ(s.m_nMovesLeft[0], 6);
    EXPECT_EQ(s.m_nMovesLeft[1], 6);
    EXPECT_EQ(s.m_nRound, 1);
    EXPECT_EQ(s.m_nSide, 0);
    EXPECT_FALSE(s.m_bInstructions);
    EXPECT_FALSE(s.m_bNumbers);
    EXPECT_FALSE(s.m_bDealt);
    EXPECT_FALSE(game.EndGameAllowed());
    EXPECT_EQ(random.draws, 0);  // the first paint deals
    for (int k = 0; k < kGameColors; ++k) {
        EXPECT_EQ(s.m_crWanted[k], g_crGameColors[k]);
        EXPECT_EQ(s.m_crWanted[k + kGameColors], g_crGameColors[k]);
    }
    EXPECT_EQ(s.m_crWanted[kBlackIndex], RGB(32, 32, 32));
}

namespace {
class LastMove : public GameTest, public ::testing::WithParamInterface<int> {};
} // namespace

// The parameter is the number of colours the twelfth move takes.
TEST_P(LastMove, WaitsForTheCaptureThenTheGongThenShowsTheNewRound)
{
    QuietMoves(11);
    ASSERT_TRUE(Cues().empty());
    log.clear();

    if (GetParam() == 0)
        QuietMove();
    else
        CapturingMove(GetParam() == 2);

    std::vector<CueCall> expected;
    if (GetParam() > 0)
        expected.push_back({IDR_SOUND_TAKE, true});
    expected.push_back({IDR_SOUND_GONG, true});
    EXPECT_EQ(Cues(), expected);
    // The position is on screen before each wait, and the new round only after the gong.
    for (const CueCall& cue : expected) {
        const int at = FindInLog(CueLine(cue.nID, cue.wait));
        ASSERT_GT(at, 0);
        EXPECT_EQ(log[at - 1], "Present");
    }
    EXPECT_LT(FindInLog(CueLine(IDR_SOUND_GONG, true)), FindInLog("FillSquares"));

    EXPECT_EQ(S().m_nRound, 2);
    EXPECT_EQ(S().m_nMovesLeft[0], 6);
    EXPECT_EQ(S().m_nMovesLeft[1], 6);
    EXPECT_EQ(random.draws, 60);
    EXPECT_TRUE(std::none_of(S().m_nSquareColor, S().m_nSquareColor + kSquares,
                             [](int index) { return index == kBlackIndex; }));
}

INSTANTIATE_TEST_SUITE_P(Round, LastMove, ::testing::Values(0, 1, 2));

TEST_F(GameTest, TheStartersLastMoveDoesNotWaitForItsCapture)
{
    QuietMoves(10);
    CapturingMove();
    EXPECT_EQ(Cues(), (std::vector<CueCall>{{IDR_SOUND_TAKE, false}}));
    EXPECT_EQ(S().m_nMovesLeft[0] + S().m_nMovesLeft[1], 1);
}

TEST_F(GameTest, TheStartingSideAlternatesOverRoundsAndGames)
{
    // Left, right, left; every quiet move costs its mover 1.
    for (int expectedStarter : {0, 1, 0}) {
        EXPECT_EQ(S().m_nSide, expectedStarter) << "round " << S().m_nRound;
        QuietMoves(12);
    }
    ASSERT_EQ(S().m_nRound, 4);
    EXPECT_EQ(S().m_nScore[0], -18);

    const std::vector<int> board(S().m_nSquareColor, S().m_nSquareColor + kSquares);
    Key(VK_END);
    ASSERT_EQ(history.m_nGameCount, 1);
    // The new game goes on where the old one's next round would have.
    EXPECT_EQ(S().m_nSide, 1);
    EXPECT_EQ(std::vector<int>(S().m_nSquareColor, S().m_nSquareColor + kSquares), board);
    QuietMoves(12);
    EXPECT_EQ(S().m_nSide, 0);
}

namespace {
struct EndCase {
    const char* name;
    int left;
    int right;
    bool moveFirst;
    bool ends;
};
class EndKey : public GameTest, public ::testing::WithParamInterface<EndCase> {};
} // namespace

TEST_P(EndKey, EndsTheGameOnlyBeforeTheRoundsFirstMoveWithAScore)
{
    const EndCase& c = GetParam();
    S().m_nScore[0] = c.left;
    S().m_nScore[1] = c.right;
    if (c.moveFirst)
        QuietMove();
    log.clear();
    const GameState before = S();

    Key(VK_END);

    if (!c.ends) {
        EXPECT_TRUE(log.empty());
        EXPECT_TRUE(before == S());
        EXPECT_EQ(history.m_nGameCount, 0);
        EXPECT_EQ(scoresShown, 0);
        return;
    }
    ASSERT_EQ(history.m_nGameCount, 1);
    EXPECT_EQ(history.m_nGameNumber[0], 1);
    EXPECT_EQ(history.m_nLeftScore[0], c.left);
    EXPECT_EQ(history.m_nRightScore[0], c.right);
    EXPECT_EQ(history.m_nRoundsPlayed[0], 0);
    EXPECT_EQ(scoresShown, 1);
    const std::vector<std::string> redrawn = {"DrawScoreBox 0", "DrawScoreBox 1", "DrawGameRoundBox", "DrawHelpLines"};
    EXPECT_TRUE(std::equal(redrawn.begin(), redrawn.end(), log.begin()));
    // Only the scores and the round start afresh.
    GameState expected = before;
    expected.m_nScore[0] = expected.m_nScore[1] = 0;
    EXPECT_TRUE(expected == S());
}

INSTANTIATE_TEST_SUITE_P(Game, EndKey,
                         ::testing::Values(EndCase{"NegativeAndZero", -3, 0, false, true},
                                           EndCase{"ZeroAndPositive", 0, 5, false, true},
                                           EndCase{"BothZero", 0, 0, false, false},
                                           EndCase{"AfterAMove", -3, 0, true, false}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return info.param.name; });

TEST_F(GameTest, EndAtRoundFourOfTheThirdGameRecordsThreeRounds)
{
    for (int game = 1; game <= 2; ++game) {
        S().m_nScore[0] = game;
        Key(VK_END);
    }
    QuietMoves(36);
    ASSERT_EQ(S().m_nRound, 4);
    Key(VK_END);

    ASSERT_EQ(history.m_nGameCount, 3);
    EXPECT_EQ(history.m_nGameNumber[0], 3);
    EXPECT_EQ(history.m_nRoundsPlayed[0], 3);
    EXPECT_EQ(history.m_nLeftScore[0], -18);
    EXPECT_EQ(history.m_nRightScore[0], -18);
    EXPECT_EQ(history.m_nGameNumber[2], 1);
    EXPECT_EQ(history.m_nLeftScore[2], 1);
    EXPECT_EQ(game.GameNumber(), 4);
    EXPECT_EQ(S().m_nRound, 1);
    EXPECT_EQ(scoresShown, 3);
}

TEST_F(GameTest, F2ShowsTheScoresOnlyOnceAGameIsRecorded)
{
    const GameState before = S();
    Key(VK_F2);
    EXPECT_EQ(scoresShown, 0);
    EXPECT_TRUE(log.empty());

    S().m_nScore[1] = 2;
    Key(VK_END);
    const GameState ended = S();
    Key(VK_F2);
    EXPECT_EQ(scoresShown, 2);
    EXPECT_TRUE(ended == S());
    EXPECT_TRUE(before == S());
}

TEST_F(GameTest, ThePageTakesOnlyEndWhichReturnsWithoutEndingTheGame)
{
    S().m_nScore[0] = 4;
    Press(5);  // a pick-up the page must not let a later release act on
    Key(VK_F1);
    EXPECT_TRUE(S().m_bInstructions);
    EXPECT_EQ(log, std::vector<std::string>{"DrawInstructionsPage"});

    log.clear();
    GameState onPage = S();
    onPage.m_nPressState = kPressNothing;
    for (int key : {VK_F1, VK_F2, VK_INSERT, 0x41, VK_HOME, VK_RIGHT, VK_SPACE, VK_RETURN, VK_ESCAPE})
        Key(key);
    Drag(1, 2);
    Press(0);
    Release(3);
    Empty(9);
    Press(9);  // not even the refusal of an empty square
    S().m_nSquareColor[9] = 9;
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(onPage == S());

    Key(VK_END);
    EXPECT_FALSE(S().m_bInstructions);
    EXPECT_EQ(history.m_nGameCount, 0);
    const std::vector<std::string> redrawn = {
        "ClearClient",  "FillSquares",      "DrawScoreBox 0", "DrawScoreBox 1", "DrawMovesBox 0",
        "DrawMovesBox 1", "DrawArrow 0", "DrawGameRoundBox", "DrawHelpLines",  "DrawHint",
    };
    EXPECT_EQ(log, redrawn);

    Release(6);  // the button was held since the page: no move
    EXPECT_EQ(log, redrawn);
    Key(VK_END);
    EXPECT_EQ(history.m_nGameCount, 1);
}

TEST_F(GameTest, NumbersOnceSwitchedOnAreDrawnAgainOnEveryRedraw)
{
    Key(0x41);
    Key(VK_F2);
    EXPECT_TRUE(log.empty());

    Key(VK_INSERT);
    EXPECT_TRUE(S().m_bNumbers);
    EXPECT_EQ(log, std::vector<std::string>{"DrawNumbers"});

    log.clear();
    Key(VK_F1);
    Key(VK_END);
    EXPECT_EQ(log.back(), "DrawNumbers");

    log.clear();
    QuietMoves(12);
    EXPECT_EQ(log.back(), "DrawNumbers");
    EXPECT_TRUE(S().m_bNumbers);
}

// A first mover that takes two colours with each of its moves can leave the other side
// four colours no two of which share a line: that side passes, and the round ends at
// once, with the gong, as after its last move.
TEST_F(GameTest, ASideLeftWithoutALegalMovePassesAndTheRoundEndsAsAfterItsLastMove)
{
    SeededRandom seeded(1013015);
    vexadra::DealRound(S(), seeded);
    const Move moves[] = {{9, 10}, {16, 20}, {14, 15}, {21, 22}, {5, 6},  {17, 27},
                          {0, 1},  {19, 28}, {8, 12},  {18, 23}, {3, 7}};
    MoveOutcome last;
    for (const Move& move : moves) {
        last = game.Play(move);
        ASSERT_TRUE(last.Legal()) << move.from << " to " << move.to;
    }
    EXPECT_EQ(last.forfeited[1], 1);
    EXPECT_TRUE(last.roundOver);
    EXPECT_EQ(S().m_nRound, 2);
    EXPECT_EQ(S().m_nSide, 1) << "the side that passed would have moved last, so it starts";
    EXPECT_EQ(S().m_nMovesLeft[0], kMovesPerRound);
    EXPECT_EQ(S().m_nMovesLeft[1], kMovesPerRound);
    EXPECT_EQ(Cues().back(), (CueCall{IDR_SOUND_GONG, true}));

    // Undo comes back to the move before the pass, the stuck side's last move intact.
    ASSERT_TRUE(game.UndoMove());
    EXPECT_EQ(S().m_nRound, 1);
    EXPECT_EQ(S().m_nSide, 0);
    EXPECT_EQ(S().m_nMovesLeft[0], 1);
    EXPECT_EQ(S().m_nMovesLeft[1], 1);
}

// Undo walks back move by move over a gong, to exactly the position before each move,
// silently, and never past the start of the game: a recorded game is final.
TEST_F(GameTest, UndoTakesBackEachMoveExactlyOverTheGongButNeverPastTheGamesStart)
{
    std::vector<GameState> before;
    for (int k = 0; k < 14; ++k) {
        before.push_back(S());
        QuietMove();  // the undoing of captures is the soak's and the pass test's
    }
    ASSERT_EQ(S().m_nRound, 2);
    cues.calls.clear();
    for (int k = 13; k >= 0; --k) {
        ASSERT_TRUE(game.UndoMove()) << k;
        const GameState& was = before[static_cast<std::size_t>(k)];
        EXPECT_TRUE(std::equal(was.m_nSquareColor, was.m_nSquareColor + kSquares, S().m_nSquareColor)) << k;
        EXPECT_EQ(std::make_tuple(was.m_nScore[0], was.m_nScore[1], was.m_nMovesLeft[0], was.m_nMovesLeft[1],
                                  was.m_nSide, was.m_nRound),
                  std::make_tuple(S().m_nScore[0], S().m_nScore[1], S().m_nMovesLeft[0], S().m_nMovesLeft[1],
                                  S().m_nSide, S().m_nRound))
            << k;
    }
    EXPECT_FALSE(game.CanUndo());
    EXPECT_FALSE(game.UndoMove());
    EXPECT_TRUE(Cues().empty());

    QuietMoves(12);
    ASSERT_TRUE(game.EndGameAllowed());
    Key(VK_END);
    EXPECT_FALSE(game.CanUndo()) << "a recorded game is final";
    EXPECT_EQ(history.m_nGameCount, 1);

    // New Game: the game in progress is dropped unrecorded and the left side starts it.
    QuietMove();
    S().m_nSide = 1;
    game.NewGame();
    EXPECT_FALSE(game.GameHasMoves());
    EXPECT_FALSE(game.CanUndo());
    EXPECT_EQ(S().m_nSide, 0);
    EXPECT_EQ(S().m_nScore[0], 0);
    EXPECT_EQ(history.m_nGameCount, 1);
    EXPECT_EQ(game.GameNumber(), 2);
}
