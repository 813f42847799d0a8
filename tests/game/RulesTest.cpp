#include <gtest/gtest.h>

#include <compare>
#include <cstdlib>
#include <set>
#include <utility>

#include "game/Rules.h"

using namespace vexadra;

TEST(Rules, AdjacentPairsAreExactlyTheTouchingSquaresOfAFourByFourGrid)
{
    std::set<std::pair<int, int>> expected;
    for (int a = 0; a < 16; ++a)
        for (int b = a + 1; b < 16; ++b)
            if (std::abs(RowOf(a) - RowOf(b)) <= 1 && std::abs(ColumnOf(a) - ColumnOf(b)) <= 1)
                expected.insert({a, b});
    std::set<std::pair<int, int>> table;
    for (const AdjacentPair& p : g_adjacentPairs) {
        EXPECT_LT(p.a, p.b);
        table.insert({p.a, p.b});
    }
    EXPECT_EQ(expected.size(), 42u);
    EXPECT_EQ(table, expected);
}

namespace {
struct Line {
    int from;
    int to;
    int step;
    friend auto operator<=>(const Line&, const Line&) = default;
};
} // namespace

TEST(Rules, JumpLinesAreExactlyThePairsTwoOrThreeApartOnALine)
{
    // Walk every row, column and both diagonals from every square.
    struct Direction {
        int dRow;
        int dColumn;
    };
    std::set<Line> expected;
    for (const Direction d : {Direction{0, 1}, Direction{1, 0}, Direction{1, 1}, Direction{1, -1}})
        for (int from = 0; from < 16; ++from)
            for (int distance : {2, 3}) {
                const int row = RowOf(from) + distance * d.dRow;
                const int column = ColumnOf(from) + distance * d.dColumn;
                if (row < 4 && column >= 0 && column < 4)
                    expected.insert({from, row * 4 + column, d.dRow * 4 + d.dColumn});
            }
    std::set<Line> table;
    for (const JumpLine& line : g_jumpLines) {
        EXPECT_LT(line.nFrom, line.nTo);
        table.insert({line.nFrom, line.nTo, line.nStep});
        // Step 3 would also join the end of one row to the start of the next.
        if (line.nStep == 3) {
            EXPECT_LT(ColumnOf(line.nTo), ColumnOf(line.nFrom)) << line.nFrom << "-" << line.nTo;
        }
    }
    EXPECT_EQ(expected.size(), 34u);
    EXPECT_EQ(table, expected);
}

TEST(Rules, NoPairIsBothAdjacentAndAJumpLineAndLookupsWorkInEitherOrder)
{
    for (const AdjacentPair& p : g_adjacentPairs) {
        EXPECT_EQ(FindJumpLine(p.a, p.b), nullptr);
        EXPECT_TRUE(AreAdjacent(p.b, p.a));
    }
    for (const JumpLine& line : g_jumpLines) {
        EXPECT_FALSE(AreAdjacent(line.nFrom, line.nTo));
        EXPECT_EQ(FindJumpLine(line.nTo, line.nFrom), &line);
    }
    // The end of one row and the start of the next; a knight's step.
    EXPECT_FALSE(AreAdjacent(3, 4));
    EXPECT_EQ(FindJumpLine(3, 4), nullptr);
    EXPECT_FALSE(AreAdjacent(0, 6));
    EXPECT_EQ(FindJumpLine(0, 6), nullptr);
}

TEST(Rules, OppositeSquareIsTheSamePlaceOnTheOtherBoard)
{
    EXPECT_EQ(OppositeSquare(5), 21);
    EXPECT_EQ(OppositeSquare(21), 5);
    EXPECT_EQ(RowOf(5), 1);
    EXPECT_EQ(ColumnOf(5), 1);
    for (int n = 0; n < kSquares; ++n) {
        EXPECT_EQ(OppositeSquare(OppositeSquare(n)), n);
        EXPECT_EQ(RelativeIndex(OppositeSquare(n)), RelativeIndex(n));
        EXPECT_NE(OppositeSquare(n) < kBoardSquares, n < kBoardSquares);
    }
}
