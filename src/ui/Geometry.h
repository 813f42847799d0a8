#pragma once
// Where everything of the game screen stands, worked out from the size of the client
// area alone. Plain data: the painter and the game's hit tests read it.

#include "game/Rules.h"
#include "game/Types.h"

namespace vexadra {

// Below this client area the screen cannot be laid out.
constexpr int kMinClientWidth = 780;
constexpr int kMinClientHeight = 540;

bool IsClientTooSmall(int W, int H);

struct ScreenGeometry {
    Rect m_rcClient;
    int m_nUnitX = 0;
    int m_nUnitY = 0;
    Rect m_rcSquare[kSquares];
    // Index 0 is always the left side, 1 the right side.
    Rect m_rcArrow[kSides];
    Rect m_rcScore[kSides];
    Rect m_rcScoreLabel[kSides];
    Rect m_rcMoves[kSides];
    Rect m_rcMovesLabel[kSides];
    Rect m_rcHelp;
    Rect m_rcGameRoundLabel;
    Rect m_rcGameRound;
    Rect m_rcHint;
    // Tip, base corner, other base corner, notch.
    Point m_ptArrow[kSides][4];
};

// The client area is W by H pixels with its origin at (0, 0); both are positive.
ScreenGeometry ComputeGeometry(int W, int H);

} // namespace vexadra
