#pragma once
// The board model: squares, sides and the two tables that say which moves are legal.

namespace vexadra {

constexpr int kBoardSquares = 16;  // 4 by 4
constexpr int kSquares = 32;       // 0..15 left board, 16..31 right board
constexpr int kSides = 2;          // 0 left, 1 right

// For a square 0..31. As bit operations, since the look-ahead asks millions of times a
// second: kBoardSquares is a power of two.
static_assert((kBoardSquares & (kBoardSquares - 1)) == 0);
constexpr int OppositeSquare(int n) { return n ^ kBoardSquares; }
constexpr int OtherSide(int side) { return 1 - side; }
constexpr int RelativeIndex(int n) { return n & (kBoardSquares - 1); }
constexpr int RowOf(int n) { return RelativeIndex(n) / 4; }
constexpr int ColumnOf(int n) { return RelativeIndex(n) % 4; }

// Two squares that touch along a side or at a corner, in relative indices, smaller first.
struct AdjacentPair {
    int a;
    int b;
};

// Two squares two or three apart on a row, column or diagonal; the squares between
// them are nFrom + nStep, nFrom + 2 * nStep, ... while less than nTo.
struct JumpLine {
    int nFrom;
    int nTo;
    int nStep;
};

constexpr int kAdjacentPairCount = 42;
constexpr int kJumpLineCount = 34;
extern const AdjacentPair g_adjacentPairs[kAdjacentPairCount];
extern const JumpLine g_jumpLines[kJumpLineCount];

// Relative indices f and t, in either order.
bool AreAdjacent(int f, int t);
// The first jump line joining f and t, in either order; nullptr when none does.
const JumpLine* FindJumpLine(int f, int t);

} // namespace vexadra
