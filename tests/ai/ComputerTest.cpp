#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>
#include <thread>

#include "GameFixture.h"
#include "ai/Computer.h"
#include "ai/ComputerTurn.h"
#include "ai/Hint.h"
#include "ai/Match.h"
#include "ai/Position.h"
#include "ai/Search.h"
#include "ai/ShadeBoard.h"
#include "ai/TranspositionTable.h"
#include "game/Keys.h"
#include "game/MoveRules.h"

using namespace vexadra;
using namespace vexadra::ai;
using namespace vexadra::testing;

namespace {

// The sanitizers slow the search twentyfold: there the rounds' first moves are left out.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

class ComputerTest : public GameTest {
protected:
    // A mid-round position: both boards shuffled, up to `blacks` squares of each taken.
    void Scramble(std::mt19937& rng, int blacks, int side, int leftToMove, int leftOther)
    {
        for (int base : {0, kBoardSquares}) {
            int* board = S().m_nSquareColor + base;
            std::iota(board, board + kBoardSquares, base);
            std::shuffle(board, board + kBoardSquares, rng);
            const int taken = static_cast<int>(rng() % static_cast<unsigned>(blacks + 1));
            for (int k = 0; k < taken; ++k)
                board[rng() % kBoardSquares] = kBlackIndex;
        }
        S().m_nSide = side;
        S().m_nMovesLeft[side] = leftToMove;
        S().m_nMovesLeft[OtherSide(side)] = leftOther;
        S().m_nScore[0] = 5;
        S().m_nScore[1] = -3;
    }

    // The mover's best final lead over the rest of the round, by trying everything.
    static int BestLead(Position& position)
    {
        const int side = position.SideToMove();
        Move moves[kMaxMoves];
        const int count = position.LegalMoves(moves);
        if (count == 0)
            return position.Lead(side);
        int best = -1000000;
        for (int i = 0; i < count; ++i) {
            const Position::Undo undo = position.Play(moves[i]);
            const int after = BestLead(position);
            best = std::max(best, position.SideToMove() == side ? after : -after);
            position.TakeBack(undo);
        }
        return best;
    }
};

// Every drag the game accepts is a listed move with the same outcome, and every listed
// move is one the game accepts: the look-ahead plays by the game's rules.
TEST_F(ComputerTest, PositionMovesAreExactlyTheGamesMoves)
{
    std::mt19937 rng(7);
    int accepted = 0;
    for (int trial = 0; trial < 60; ++trial) {
        Scramble(rng, 8, trial % 2, 3, 3);
        const GameState start = S();
        Position position(start);
        Move listed[kMaxMoves];
        const int count = position.LegalMoves(listed);
        const int base = start.m_nSide == 0 ? 0 : kBoardSquares;
        for (int from = base; from < base + kBoardSquares; ++from)
            for (int to = base; to < base + kBoardSquares; ++to) {
                S() = start;
                Drag(from, to);
                const Move pair{std::min(from, to), std::max(from, to)};
                const bool isListed = std::find(listed, listed + count, pair) != listed + count;
                const bool moved = S().m_nMovesLeft[start.m_nSide] != start.m_nMovesLeft[start.m_nSide];
                ASSERT_EQ(moved, isListed) << "trial " << trial << " drag " << from << " to " << to;
                if (!moved)
                    continue;
                ++accepted;
                const Position::Undo undo = position.Play(Move{from, to});
                EXPECT_TRUE(std::equal(S().m_nSquareColor, S().m_nSquareColor + kSquares,
                                       position.State().m_nSquareColor));
                EXPECT_EQ(S().m_nScore[start.m_nSide] - start.m_nScore[start.m_nSide], undo.outcome.scoreChange);
                EXPECT_EQ(position.State().m_nScore[start.m_nSide], S().m_nScore[start.m_nSide]);
                position.TakeBack(undo);
                ASSERT_EQ(position.State(), start);
            }
    }
    EXPECT_GT(accepted, 60 * 20);
}

TEST_F(ComputerTest, NormalTakesTheBestImmediateScoreAndHardTheBestLeadAtTheRoundsEnd)
{
    std::mt19937 rng(11);
    Computer normal(Level::Normal, 1);
    Computer hard(Level::Hard, 1);
    Computer hardAgain(Level::Hard, 1);
    for (int trial = 0; trial < 40; ++trial) {
        Scramble(rng, 6, trial % 2, 2, 1);
        Position position(S());
        Move moves[kMaxMoves];
        const int count = position.LegalMoves(moves);
        int bestGain = -100;
        for (int i = 0; i < count; ++i)
            bestGain = std::max(bestGain, position.Gain(moves[i]));
        EXPECT_EQ(position.Gain(normal.ChooseMove(S())), bestGain);

        const Move chosen = hard.ChooseMove(S());
        EXPECT_EQ(hard.LastSearch().depth, 3);
        EXPECT_EQ(chosen, hardAgain.ChooseMove(S())) << "the same seed plays the same";
        const int best = BestLead(position);
        const int mover = position.SideToMove();
        const Position::Undo undo = position.Play(chosen);
        const int after = BestLead(position);
        EXPECT_EQ(position.SideToMove() == mover ? after : -after, best) << "trial " << trial;
        position.TakeBack(undo);
    }
}

// Expert's key follows the position through play and back, and takes boards that differ
// only by the names of their colours for one, but not boards that pair them otherwise; on
// a display that shows two colours alike, where the pairs are not plain, it follows the
// squares' colours instead.
TEST_F(ComputerTest, ExpertsKeyFollowsThePlayAndAsksOnlyWhichSquaresShowTheSameColour)
{
    std::mt19937 rng(11);
    const GameState shownApart = S();
    for (int trial = 0; trial < 20; ++trial) {
        std::copy(shownApart.m_crShown, shownApart.m_crShown + kColorSlots, S().m_crShown);
        const bool alike = trial % 4 == 3;
        if (alike)
            S().m_crShown[4] = S().m_crShown[kBoardSquares + 4] = S().m_crShown[3];
        Scramble(rng, 4, trial % 2, 4, 4);
        const GameState start = S();
        ShadeBoard board(start, true);
        const std::uint64_t key = board.Key();

        int names[kBoardSquares];
        std::iota(names, names + kBoardSquares, 0);
        std::shuffle(names, names + kBoardSquares, rng);
        for (int& index : S().m_nSquareColor)
            if (index < kSquares)
                index = index - RelativeIndex(index) + names[RelativeIndex(index)];
        if (!alike) {
            EXPECT_EQ(ShadeBoard(S(), true).Key(), key) << "trial " << trial;
            S() = start;
            int* left = S().m_nSquareColor;
            const auto shown = std::find_if(left, left + kBoardSquares, [](int index) { return index != kBlackIndex; });
            std::swap(*shown, left[(shown - left + 1) % kBoardSquares]);
            EXPECT_NE(ShadeBoard(S(), true).Key(), key) << "trial " << trial;
        }

        S() = start;
        Move played[kMovesPerRound * 2];
        MoveOutcome outcomes[kMovesPerRound * 2];
        int count = 0;
        Move moves[kMaxMoves];
        for (int legal; (legal = LegalMoves(S(), moves)) > 0; ++count) {
            played[count] = moves[rng() % static_cast<unsigned>(legal)];
            outcomes[count] = PlayLegalMove(board, played[count]);
            ASSERT_TRUE(PlayMove(S(), played[count]).Legal());
            EXPECT_EQ(board.Key(), ShadeBoard(S(), true).Key()) << "trial " << trial << " move " << count;
        }
        while (count-- > 0)
            TakeBackMove(board, played[count], outcomes[count]);
        EXPECT_EQ(board.Key(), key) << "trial " << trial;
    }
}

// The exact solver against trying everything, late in rounds where that is cheap; then
// Expert against the solver from fresh deals on through the round, its table carried from
// move to move as in a game: every move it picks keeps the position's best value.
TEST_F(ComputerTest, TheSolverIsExactAndExpertAlwaysPlaysAMoveOfTheBestValue)
{
    std::mt19937 rng(5);
    TranspositionTable table(16);
    // Also where the other side has no move left, and the turn comes back to no move.
    for (int trial = 0; trial < 30; ++trial) {
        Scramble(rng, 10, trial % 2, 2, trial % 3);
        Position position(S());
        ASSERT_EQ(position.Lead(S().m_nSide) + ExactValue(S(), table), BestLead(position)) << "trial " << trial;
    }

    // A busy machine must not make this test's Expert fall short of the round's end.
    Computer expert(Level::Expert, 3);
    SearchLimits unhurried = LimitsFor(Level::Expert);
    unhurried.time = unhurried.openingTime = std::chrono::hours(1);
    // Threads that share its table change how soon it knows, never what it plays.
    unhurried.helpers = 2;
    expert.SetLimits(unhurried);
    Computer alone(Level::Expert, 3);
    SearchLimits single = unhurried;
    single.helpers = 0;
    alone.SetLimits(single);
    Computer normal(Level::Normal, 4);
    int judged = 0;
    for (int deal = 0; deal < 3; ++deal) {
        // From the round's third move on: the first two take the solver seconds.
        const int firstJudged = kSanitized ? 6 : 2;
        Scramble(rng, 0, deal % 2, kMovesPerRound, kMovesPerRound);
        for (int ply = 0; S().m_nMovesLeft[0] + S().m_nMovesLeft[1] > 0; ++ply) {
            const GameState before = S();
            const Move move = (ply >= firstJudged ? expert : normal).ChooseMove(before);
            if (ply >= firstJudged) {
                EXPECT_EQ(alone.ChooseMove(before), move) << "deal " << deal << " move " << ply;
            }
            if (ply >= firstJudged && ply % 2 == deal % 2) {
                TranspositionTable fresh(kExpertTableBits);
                ASSERT_TRUE(expert.LastSearch().exact) << "deal " << deal << " move " << ply;
                const int best = ExactValue(before, fresh);
                EXPECT_EQ(ExactValueOf(before, move, fresh), best) << "deal " << deal << " move " << ply;
                EXPECT_EQ(expert.LastSearch().value, best) << "deal " << deal << " move " << ply;
                // From the middle of the round on, a hint is Expert's move, and the same when asked again.
                if (ply >= 6) {
                    const Move hint = HintMove(before);
                    EXPECT_EQ(ExactValueOf(before, hint, fresh), best) << "deal " << deal << " move " << ply;
                    EXPECT_EQ(HintMove(before), hint);
                }
                ++judged;
            }
            ASSERT_TRUE(PlayMove(S(), move).Legal());
        }
    }
    EXPECT_GE(judged, kSanitized ? 9 : 15);
}

// Short of time, Expert still answers at once with a legal move, the best it has found,
// whether its time ends before the root moves are shared out between its threads or after.
TEST_F(ComputerTest, ExpertShortOfTimeAnswersAtOnceWithTheBestItFound)
{
    std::mt19937 rng(13);
    for (const int ms : {5, 60, 150, 300}) {
        Scramble(rng, 0, ms % 2, kMovesPerRound, kMovesPerRound);
        Computer expert(Level::Expert, 5);
        SearchLimits limits = LimitsFor(Level::Expert);
        limits.time = limits.openingTime = std::chrono::milliseconds(ms);
        limits.helpers = 1;
        expert.SetLimits(limits);
        const auto started = std::chrono::steady_clock::now();
        const Move move = expert.ChooseMove(S());
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(ms + (kSanitized ? 1000 : 100)));
        EXPECT_EQ(CheckMove(S(), move), Refusal::None) << ms << " ms";
        if (ms == 5) {
            EXPECT_TRUE(expert.LastSearch().outOfTime);
        }
    }

    // Cut short once it has shown a move better than the best so far, though not yet by
    // how much, it plays that move: here the best there is, which it comes to after another.
    const int boards[2 * kBoardSquares] = {7,  2,  8,  14, 10, 15, 1,  0,  6,  3,  12, 5,  11, 4,  13, 9,
                                           27, 26, 23, 28, 17, 16, 18, 20, 31, 21, 25, 29, 22, 30, 19, 24};
    std::copy(std::begin(boards), std::end(boards), S().m_nSquareColor);
    S().m_nSide = 1;
    S().m_nMovesLeft[0] = S().m_nMovesLeft[1] = 4;
    S().m_nScore[0] = S().m_nScore[1] = 0;
    SearchLimits budget = LimitsFor(Level::Expert);
    budget.helpers = 0;
    budget.time = std::chrono::hours(1);
    const auto searched = [&](long long nodes) {
        budget.nodes = nodes;
        TranspositionTable table(20);
        Search search(S(), budget, table);
        const Move move = search.Run();
        return std::pair(move, search.Report().nodes);
    };
    const auto [best, all] = searched(0);
    EXPECT_FALSE(searched(all / 4).first == best);
    const auto [move, nodes] = searched(all * 2 / 3);
    EXPECT_EQ(nodes, all * 2 / 3);
    EXPECT_EQ(move, best);
}

// What the match tool measures of each level, late in rounds where the solver is quick:
// a level that got weaker (or a solver that judged wrongly) shows here.
TEST(MatchTest, EachLevelsShareOfOptimalMovesAndMeanLossStayWhereTheyWereMeasured)
{
    MatchOptions options;
    options.games = kSanitized ? 4 : 12;
    options.rounds = 2;
    options.seed = 3;
    options.measure = 100000;
    options.measureFrom = 7;
    struct Expected {
        Level a, b;
        double leastShareA, mostShareA, leastShareB, mostShareB;
    };
    for (const Expected& e : {Expected{Level::Hard, Level::Normal, 0.97, 1.0, 0.70, 0.95},
                              Expected{Level::Easy, Level::Normal, 0.30, 0.65, 0.70, 0.95}}) {
        options.a = e.a;
        options.b = e.b;
        const MatchResult result = PlayMatch(options);
        const DecisionTimes& a = result.times[0];
        const DecisionTimes& b = result.times[1];
        ASSERT_GE(a.judged, options.games * options.rounds * 2);
        const double shareA = static_cast<double>(a.optimal) / static_cast<double>(a.judged);
        const double shareB = static_cast<double>(b.optimal) / static_cast<double>(b.judged);
        EXPECT_GE(shareA, e.leastShareA) << LevelName(e.a);
        EXPECT_LE(shareA, e.mostShareA) << LevelName(e.a);
        EXPECT_GE(shareB, e.leastShareB) << LevelName(e.b);
        EXPECT_LE(shareB, e.mostShareB) << LevelName(e.b);
        // Losses are never negative: nothing beats the exact best.
        EXPECT_GE(a.pointsLost, a.judged - a.optimal);
        EXPECT_GE(b.pointsLost, b.judged - b.optimal);
    }
}

TEST_F(ComputerTest, EasyTakesAnOfferedCaptureAboutHalfTheTime)
{
    std::mt19937 rng(3);
    Computer easy(Level::Easy, 5);
    int offered = 0;
    int taken = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        Scramble(rng, 0, 0, 6, 6);
        Position position(S());
        Move moves[kMaxMoves];
        const int count = position.LegalMoves(moves);
        int captures = 0;
        for (int i = 0; i < count; ++i)
            captures += position.Gain(moves[i]) > 0;
        const Move move = easy.ChooseMove(S());
        ASSERT_NE(std::find(moves, moves + count, move), moves + count);
        if (captures > 0 && captures * 10 < count) {
            ++offered;
            taken += position.Gain(move) > 0;
        }
    }
    ASSERT_GT(offered, 300);
    EXPECT_NEAR(static_cast<double>(taken) / offered, 0.53, 0.08);
}

class ComputerTurnTest : public GameTest {
protected:
    using Clock = ComputerTurn::Clock;
    ComputerTurnTest() { turn.SetOpponent(Opponent::Hard); }
    ComputerTurn::Step At(int ms, bool paused = false) { return turn.Tick(t0 + std::chrono::milliseconds(ms), paused); }

    ComputerTurn turn{game, 1};
    Clock::time_point t0 = Clock::now();
};

TEST_F(ComputerTurnTest, MarksTheSquareThenMovesAndRefusesThePersonsDragsMeanwhile)
{
    EXPECT_EQ(At(0), ComputerTurn::Step::Idle);
    QuietMove();
    EXPECT_EQ(At(0), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(249), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(250), ComputerTurn::Step::Marked);
    const int marked = turn.MarkedSquare();
    EXPECT_GE(marked, kBoardSquares);

    // The person drags on the computer's board during its turn: a brrr, nothing moves.
    Press(marked);
    const GameState before = S();
    cues.calls.clear();
    std::vector<int> refused;
    game.SetRefusedListener([&refused](int square) { refused.push_back(square); });
    const int aimed = marked == kBoardSquares ? marked + 1 : marked - 1;
    turn.PersonRelease(Centre(aimed));
    EXPECT_EQ(Cues(), (std::vector<CueCall>{{IDR_SOUND_BRRR, false}}));
    EXPECT_EQ(refused, std::vector<int>{aimed}) << "the refused drop's square, for its mark";
    ExpectPositionUnchanged(before);
    // The same drag from the keyboard: picked up with Space, dropped with Space.
    S().m_nFocus = marked - kBoardSquares;
    turn.PersonKey(VK_SPACE);
    ASSERT_EQ(S().KeyPickSquare(), marked);
    S().m_nFocus = (marked == kBoardSquares ? marked + 1 : marked - 1) - kBoardSquares;
    turn.PersonKey(VK_SPACE);
    EXPECT_EQ(Cues(), (std::vector<CueCall>{{IDR_SOUND_BRRR, false}, {IDR_SOUND_BRRR, false}}));
    EXPECT_EQ(S().m_nSide, 1);
    EXPECT_EQ(S().m_nMovesLeft[1], kMovesPerRound);

    EXPECT_EQ(At(649), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(650), ComputerTurn::Step::Moved);
    EXPECT_EQ(S().m_nSide, 0);
    EXPECT_EQ(S().m_nMovesLeft[1], kMovesPerRound - 1);
    EXPECT_TRUE(turn.LastMove().from == marked || turn.LastMove().to == marked);
    EXPECT_EQ(turn.MarkedSquare(), -1);
    EXPECT_EQ(At(700), ComputerTurn::Step::Idle);
}

TEST_F(ComputerTurnTest, UndoDropsATurnUnderWayAndTakesBackTheAnswerWithThePersonsMove)
{
    const GameState start = S();
    // What the player sees and plays on; a handler's working values may differ.
    const auto ExpectPositionOfStart = [&] {
        EXPECT_TRUE(std::equal(start.m_nSquareColor, start.m_nSquareColor + kSquares, S().m_nSquareColor));
        EXPECT_EQ(S().m_nScore[0], start.m_nScore[0]);
        EXPECT_EQ(S().m_nScore[1], start.m_nScore[1]);
        EXPECT_EQ(S().m_nMovesLeft[0], kMovesPerRound);
        EXPECT_EQ(S().m_nMovesLeft[1], kMovesPerRound);
        EXPECT_EQ(S().m_nSide, 0);
    };
    QuietMove();
    EXPECT_EQ(At(0), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(250), ComputerTurn::Step::Marked);
    EXPECT_TRUE(turn.Undo());
    EXPECT_EQ(turn.MarkedSquare(), -1);
    ExpectPositionOfStart();
    EXPECT_EQ(At(300), ComputerTurn::Step::Idle);

    QuietMove();
    EXPECT_EQ(At(1000), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(1250), ComputerTurn::Step::Marked);
    ASSERT_EQ(At(1650), ComputerTurn::Step::Moved);
    cues.calls.clear();
    EXPECT_TRUE(turn.Undo());
    ExpectPositionOfStart();
    EXPECT_TRUE(Cues().empty());
    EXPECT_FALSE(turn.Undo()) << "nothing left to take back";
}

TEST_F(ComputerTurnTest, WaitsWhileEndWouldActAndDropsATurnWhenPaused)
{
    S().m_nSide = 1;
    S().m_nScore[0] = 8;
    ASSERT_TRUE(game.EndGameAllowed());
    EXPECT_EQ(At(0), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(1199), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(1200), ComputerTurn::Step::Marked);
    // A dialog comes up: the frame goes, and the turn starts afresh after it.
    EXPECT_EQ(At(1300, true), ComputerTurn::Step::Unmarked);
    EXPECT_EQ(At(1400), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(2599), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(2600), ComputerTurn::Step::Marked);
    EXPECT_EQ(At(2999), ComputerTurn::Step::Waiting);
    EXPECT_EQ(At(3000), ComputerTurn::Step::Moved);

    // Two Players again: the computer never moves the right side.
    S().m_nSide = 1;
    turn.SetOpponent(Opponent::TwoPlayers);
    EXPECT_EQ(At(10000), ComputerTurn::Step::Idle);
    EXPECT_FALSE(turn.HoldsTurn());
}

// Expert thinks on a worker thread from the turn's start: no tick waits for it, its mark
// comes when it has answered, and a turn dropped meanwhile stops it at once.
TEST_F(ComputerTurnTest, ExpertThinksWhileTheTurnIsPacedAndNoTickWaitsForIt)
{
    turn.SetOpponent(Opponent::Expert);
    QuietMove();
    ComputerTurn::Step step = At(0);
    const auto started = Clock::now();
    auto slowest = Clock::duration::zero();
    int ms = 250;
    for (; step != ComputerTurn::Step::Marked && Clock::now() - started < std::chrono::seconds(30); ms += 5) {
        const auto tick = Clock::now();
        step = At(ms);
        slowest = std::max(slowest, Clock::now() - tick);
        if (step != ComputerTurn::Step::Marked)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(step, ComputerTurn::Step::Marked);
    EXPECT_LT(slowest, std::chrono::milliseconds(kSanitized ? 200 : 50));
    EXPECT_EQ(At(std::max(ms, 650) + 150), ComputerTurn::Step::Moved);
    EXPECT_EQ(S().m_nMovesLeft[1], kMovesPerRound - 1);

    // The person changes the opponent while Expert thinks over its next move.
    QuietMove();
    EXPECT_EQ(At(10000), ComputerTurn::Step::Waiting);
    const auto dropped = Clock::now();
    turn.SetOpponent(Opponent::Expert);
    EXPECT_LT(Clock::now() - dropped, std::chrono::milliseconds(kSanitized ? 500 : 100));
}

// While the person is to move, Expert thinks over the position: its answer to whatever
// the person plays then has less left to do, and is the move it plays without that.
TEST_F(ComputerTurnTest, ExpertThinksOnThePersonsTimeAndAnswersSoonerWithTheSameMove)
{
    SearchLimits unhurried = LimitsFor(Level::Expert);
    unhurried.time = unhurried.openingTime = std::chrono::hours(1);
    // Alone, so that the positions counted are the same on every run.
    unhurried.helpers = 0;
    turn.SetLimits(unhurried);
    turn.SetOpponent(Opponent::Expert);
    ASSERT_FALSE(turn.HoldsTurn());
    // Over the opening position, which takes a while: a change of opponent stops it before
    // the computer it uses goes.
    At(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    turn.SetOpponent(Opponent::Expert);
    QuietMoves(4);
    const auto started = Clock::now();
    while (At(0) == ComputerTurn::Step::Idle && !turn.PonderDone() && Clock::now() - started < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(turn.PonderDone());

    // A person who plays well: what Expert looked at most closely.
    ASSERT_TRUE(game.Play(Computer(Level::Hard, 2).ChooseMove(S())).Legal());
    const GameState position = S();
    ComputerTurn::Step step = At(0);
    for (int ms = 250; step != ComputerTurn::Step::Marked && ms < 60000; ms += 5) {
        step = At(ms);
        if (step != ComputerTurn::Step::Marked)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(step, ComputerTurn::Step::Marked);
    Computer fresh(Level::Expert, 1);
    fresh.SetLimits(unhurried);
    EXPECT_EQ(fresh.ChooseMove(position), turn.LastMove());
    EXPECT_LT(turn.LastSearch().nodes * 3, fresh.LastSearch().nodes * 2);
}

} // namespace
