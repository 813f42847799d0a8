#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "GameFixture.h"
#include "game/Deal.h"
#include "game/GameState.h"

using namespace vexadra;
using vexadra::testing::ScriptedRandom;

namespace {

std::vector<int> Board(const GameState& s, int base)
{
    return std::vector<int>(s.m_nSquareColor + base, s.m_nSquareColor + base + kBoardSquares);
}

struct DealCase {
    const char* name;
    std::function<int(int)> draw;
    std::vector<int> left;
    std::vector<int> right;
};

class DealSequence : public ::testing::TestWithParam<DealCase> {};

} // namespace

TEST_P(DealSequence, PlacesTheColoursAsTheDrawsSay)
{
    ScriptedRandom random(GetParam().draw);
    GameState s;
    DealRound(s, random);
    EXPECT_EQ(random.draws, 30);
    EXPECT_EQ(Board(s, 0), GetParam().left);
    EXPECT_EQ(Board(s, kBoardSquares), GetParam().right);
    for (int k = kSquares; k < kColorSlots; ++k)
        EXPECT_EQ(s.m_nSquareColor[k], k);
}

INSTANTIATE_TEST_SUITE_P(
    Deal, DealSequence,
    ::testing::Values(
        DealCase{"AlwaysZero", [](int) { return 0; },
                 {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                 {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31}},
        // The right board's draws go on where the left board's stopped.
        DealCase{"Counting", [](int i) { return i; },
                 {0, 2, 4, 6, 8, 10, 12, 14, 1, 7, 13, 5, 3, 11, 9, 15},
                 {31, 17, 20, 23, 26, 29, 18, 24, 30, 22, 19, 21, 28, 25, 27, 16}},
        DealCase{"AlwaysTheLargest", [](int) { return kRandomMax; },
                 {15, 7, 8, 9, 10, 13, 11, 12, 14, 0, 2, 4, 6, 3, 5, 1},
                 {31, 23, 24, 25, 26, 29, 27, 28, 30, 16, 18, 20, 22, 19, 21, 17}}),
    [](const ::testing::TestParamInfo<DealCase>& info) { return info.param.name; });

TEST(Deal, SeededDealsAreFreshPermutationsAndTouchNothingButTheSquares)
{
    SeededRandom random(12345u);
    GameState s;
    s.m_nScore[0] = -3;
    s.m_nMovesLeft[1] = 4;
    s.m_nSide = 1;
    s.m_nRound = 7;
    for (int round = 0; round < 200; ++round) {
        // As after a round of captures.
        for (int n : {0, 5, 17, 31})
            s.m_nSquareColor[n] = kBlackIndex;
        GameState before = s;
        DealRound(s, random);
        for (int base : {0, kBoardSquares}) {
            std::vector<int> board = Board(s, base);
            std::sort(board.begin(), board.end());
            for (int r = 0; r < kBoardSquares; ++r)
                ASSERT_EQ(board[r], base + r) << "round " << round;
        }
        std::copy(std::begin(s.m_nSquareColor), std::end(s.m_nSquareColor), before.m_nSquareColor);
        std::copy(std::begin(s.m_nPool), std::end(s.m_nPool), before.m_nPool);
        ASSERT_TRUE(before == s);
    }
}

TEST(Deal, SeededRandomStaysInItsRange)
{
    SeededRandom random(0u);
    int low = kRandomMax;
    int high = 0;
    for (int i = 0; i < 100000; ++i) {
        const int draw = random.Next();
        low = std::min(low, draw);
        high = std::max(high, draw);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, kRandomMax);
}
