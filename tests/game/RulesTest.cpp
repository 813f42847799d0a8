#include <gtest/gtest.h>

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
