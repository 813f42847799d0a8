#pragma once
// What the game asks of the screen. Every call redraws one element at once from the
// current state; the screen keeps no game state of its own.

#include "game/GameState.h"

namespace vexadra {

class GameScreen {
public:
    virtual ~GameScreen() = default;

    virtual void FillSquare(int n, const Brush& brush) = 0;
    virtual void FillSquares() = 0;      // all 32, each from its colour index
    virtual void ClearClient() = 0;      // the whole client area in white
    // Writes a colour number (1..16) centred on square n; 0 writes nothing.
    virtual void DrawSquareNumber(int n, int number) = 0;
    // Square n again from the state: its colour, its number when numbering is on, and the
    // focus frame or the pick-up mark when they stand on it. Nothing on the instructions page.
    virtual void RedrawSquare(int n) = 0;

    virtual void DrawArrow(int side) = 0;
    virtual void DrawScoreBox(int side) = 0;
    virtual void DrawMovesBox(int side) = 0;
    virtual void DrawGameRoundBox() = 0;
    virtual void DrawHelpLines() = 0;
    virtual void DrawHint() = 0;
    virtual void DrawNumbers() = 0;
    virtual void DrawInstructionsPage() = 0;

    // Brings everything drawn so far onto the screen now: the game calls it before it
    // blocks on a sound, so that the player sees the position while it plays.
    virtual void Present() = 0;
};

} // namespace vexadra
