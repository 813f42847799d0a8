#include "ui/Geometry.h"

namespace vexadra {

bool IsClientTooSmall(int W, int H) { return W < kMinClientWidth || H < kMinClientHeight; }

namespace {

// Squares are 12 by 12 layout units and touch one another; each board keeps one unit
// clear of the two window edges it sits against.
constexpr int kSquareUnits = 12;

Rect SquareRect(const ScreenGeometry& g, int n, int W, int H)
{
    const int ux = g.m_nUnitX;
    const int uy = g.m_nUnitY;
    Rect r;
    if (n < kBoardSquares) {
        r.left = (kSquareUnits * ColumnOf(n) + 1) * ux;
        r.top = (kSquareUnits * RowOf(n) + 1) * uy;
        r.right = r.left + kSquareUnits * ux;
        r.bottom = r.top + kSquareUnits * uy;
    } else {
        // The right board is laid out from the bottom-right corner inwards.
        const int j = (kSquares - 1) - n;
        r.right = W - (kSquareUnits * (j % 4) + 1) * ux;
        r.bottom = H - (kSquareUnits * (j / 4) + 1) * uy;
        r.left = r.right - kSquareUnits * ux;
        r.top = r.bottom - kSquareUnits * uy;
    }
    return r;
}

Rect LabelAbove(const Rect& box, int uy) { return Rect{box.left, box.top - 2 * uy, box.right, box.top}; }

} // namespace

ScreenGeometry ComputeGeometry(int W, int H)
{
    ScreenGeometry g;
    g.m_rcClient = Rect{0, 0, W, H};
    g.m_nUnitX = (W + 26) / 102;
    g.m_nUnitY = (H + 19) / 74;
    const int ux = g.m_nUnitX;
    const int uy = g.m_nUnitY;

    for (int n = 0; n < kSquares; ++n)
        g.m_rcSquare[n] = SquareRect(g, n, W, H);
    const Rect* S = g.m_rcSquare;

    // Centre lines of the two boards.
    const int xm0 = (S[15].right + S[12].left) / 2;
    const int xm1 = (S[19].right + S[16].left) / 2;

    Rect& a0 = g.m_rcArrow[0];
    a0.left = xm0 - ux / 2;
    a0.top = S[15].bottom + uy;
    a0.right = a0.left + ux;
    a0.bottom = a0.top + 2 * uy;
    Rect& a1 = g.m_rcArrow[1];
    a1.left = xm1 - ux / 2;
    a1.bottom = S[16].top - uy;
    a1.top = a1.bottom - 2 * uy;
    a1.right = a1.left + ux;

    // The left panel hangs below the left board, the right one stands above the right board.
    const int top0 = S[15].bottom + 4 * uy;
    const int bottom1 = S[16].top - 4 * uy;
    g.m_rcScore[0] = Rect{S[12].left, top0, S[12].right, top0 + 4 * uy};
    g.m_rcScore[1] = Rect{S[16].left, bottom1 - 4 * uy, S[16].right, bottom1};
    g.m_rcMoves[0] = Rect{S[15].left, top0, S[15].right, top0 + 4 * uy};
    g.m_rcMoves[1] = Rect{S[19].left, bottom1 - 4 * uy, S[19].right, bottom1};
    for (int s = 0; s < kSides; ++s) {
        g.m_rcScoreLabel[s] = LabelAbove(g.m_rcScore[s], uy);
        g.m_rcMovesLabel[s] = LabelAbove(g.m_rcMoves[s], uy);
    }

    g.m_rcHelp = Rect{S[12].left, g.m_rcMoves[0].bottom + 3 * uy, S[15].right, H - uy};
    g.m_rcGameRoundLabel = Rect{S[16].left, S[0].top, S[16].right, S[0].top + 2 * uy};
    g.m_rcGameRound = Rect{S[16].left, g.m_rcGameRoundLabel.bottom, S[16].right, g.m_rcGameRoundLabel.bottom + 4 * uy};
    g.m_rcHint = Rect{S[16].left, g.m_rcScore[1].bottom, S[17].right - ux, S[16].top};

    // Arrowheads one unit wide and two high with a notch in the base; 0 points up, 1 down.
    const int xc0 = (a0.left + a0.right) / 2;
    g.m_ptArrow[0][0] = Point{a0.left, a0.bottom - 1};
    g.m_ptArrow[0][1] = Point{xc0, a0.top};
    g.m_ptArrow[0][2] = Point{a0.right - 1, a0.bottom - 1};
    g.m_ptArrow[0][3] = Point{xc0, a0.bottom - uy / 2};
    const int xc1 = (a1.left + a1.right) / 2;
    g.m_ptArrow[1][0] = Point{a1.left, a1.top};
    g.m_ptArrow[1][1] = Point{xc1, a1.bottom - 1};
    g.m_ptArrow[1][2] = Point{a1.right - 1, a1.top};
    g.m_ptArrow[1][3] = Point{xc1, a1.top + uy / 2};
    return g;
}

} // namespace vexadra
