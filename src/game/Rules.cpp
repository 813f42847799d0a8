#include "game/Rules.h"

namespace vexadra {

const AdjacentPair g_adjacentPairs[kAdjacentPairCount] = {
    {0, 1},   {0, 4},   {0, 5},   {1, 2},   {1, 4},   {1, 5},   {1, 6},   {2, 3},   {2, 5},
    {2, 6},   {2, 7},   {3, 6},   {3, 7},   {4, 5},   {4, 8},   {4, 9},   {5, 6},   {5, 8},
    {5, 9},   {5, 10},  {6, 7},   {6, 9},   {6, 10},  {6, 11},  {7, 10},  {7, 11},  {8, 9},
    {8, 12},  {8, 13},  {9, 10},  {9, 12},  {9, 13},  {9, 14},  {10, 11}, {10, 13}, {10, 14},
    {10, 15}, {11, 14}, {11, 15}, {12, 13}, {13, 14}, {14, 15},
};

const JumpLine g_jumpLines[kJumpLineCount] = {
    {0, 2, 1},   {0, 3, 1},   {0, 8, 4},   {0, 10, 5},  {0, 12, 4},  {0, 15, 5},  {1, 3, 1},
    {1, 9, 4},   {1, 11, 5},  {1, 13, 4},  {2, 8, 3},   {2, 10, 4},  {2, 14, 4},  {3, 9, 3},
    {3, 12, 3},  {3, 11, 4},  {3, 15, 4},  {4, 6, 1},   {4, 7, 1},   {4, 12, 4},  {4, 14, 5},
    {5, 7, 1},   {5, 13, 4},  {5, 15, 5},  {6, 12, 3},  {6, 14, 4},  {7, 13, 3},  {7, 15, 4},
    {8, 10, 1},  {8, 11, 1},  {9, 11, 1},  {12, 14, 1}, {12, 15, 1}, {13, 15, 1},
};

namespace {
bool SamePair(int a, int b, int f, int t) { return (a == f && b == t) || (a == t && b == f); }
} // namespace

bool AreAdjacent(int f, int t)
{
    for (const AdjacentPair& p : g_adjacentPairs)
        if (SamePair(p.a, p.b, f, t))
            return true;
    return false;
}

const JumpLine* FindJumpLine(int f, int t)
{
    for (const JumpLine& line : g_jumpLines)
        if (SamePair(line.nFrom, line.nTo, f, t))
            return &line;
    return nullptr;
}

} // namespace vexadra
