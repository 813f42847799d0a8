#pragma once
// Everything the game knows between two events. The layout code fills the square
// rectangles; the handlers of VexadraGame own every other change.

#include "game/ColorTable.h"
#include "game/Rules.h"
#include "game/Types.h"

namespace vexadra {

// A solid brush is nothing but its colour here; the platform makes the real one when it fills.
struct Brush {
    ColorRef color = 0;
    friend bool operator==(const Brush&, const Brush&) = default;
};

constexpr int kMovesPerRound = 6;
constexpr int kPointsPerCapture = 8;
constexpr int kPointsForNothing = -1;

// Press states of a move.
constexpr int kPressPicked = 0;     // a colour is picked up; a release may move it
constexpr int kPressNothing = 1;    // the last press picked up nothing
constexpr int kPressOnEmpty = 2;    // the last release was on an empty square

struct GameState {
    Rect m_rcClient;
    Rect m_rcDealClient;
    Rect m_rcSquare[kColorSlots];   // 0..31 are the squares

    Brush m_brColor[kColorSlots];   // by colour index; 32 and 33 are a move's work brushes
    Brush m_brBlack;                // blacks out a captured square and draws the arrow

    int m_nSquare = 0;              // after a release's hit test: the drop square
    int m_nNumber = 0;
    int m_nFromSquare = 0;
    // Before any press of the run a release must not act on a pick-up that never happened.
    int m_nPressState = kPressNothing;
    bool m_bDealt = false;
    int m_nSide = 0;
    bool m_bInstructions = false;
    int m_nRound = 1;
    bool m_bNumbers = false;

    // Playing from the keyboard: where the focus frame stands on the active side's board
    // (a relative index; -1 until the first arrow key or Home), and the square a Space or
    // Return picked up (-1 for none).
    int m_nFocus = -1;
    int m_nKeyPick = -1;

    int m_nSquareColor[kColorSlots] = {};
    int m_nPool[kColorSlots] = {};

    int m_nScore[kSides] = {0, 0};
    int m_nMovesLeft[kSides] = {kMovesPerRound, kMovesPerRound};

    ColorRef m_crFrom = 0;          // shown colour picked up by the last press
    ColorRef m_crTo = 0;            // shown colour of the drop square at the last release
    ColorRef m_crWanted[kColorSlots] = {};
    ColorRef m_crShown[kColorSlots] = {};

    // The colour a square shows: what every colour test of the game compares.
    ColorRef ShownColorOf(int n) const { return m_crShown[m_nSquareColor[n]]; }
    ColorRef BlackReference() const { return m_crShown[kBlackIndex]; }
    bool IsEmpty(int n) const { return ShownColorOf(n) == BlackReference(); }
    // The squares that carry the focus frame and the keyboard's pick-up mark; -1 for none.
    int FocusSquare() const { return m_nFocus < 0 ? -1 : m_nSide * kBoardSquares + m_nFocus; }
    int KeyPickSquare() const { return m_nPressState == kPressPicked ? m_nKeyPick : -1; }

    friend bool operator==(const GameState&, const GameState&) = default;
};

// The number (1..16) written on a square of this shown colour; 0 for none (an empty square).
// Two colours the display shows alike share the lower number.
int ColorNumber(const GameState& state, ColorRef shown);

// m_crShown[0..31] and their brushes, from the display's nearest colours.
void ResolveGameColors(GameState& state, NearestColorFn nearest);
// m_crShown[34] and the two black brushes; made anew at every paint.
void ResolveBlackReference(GameState& state, NearestColorFn nearest);

} // namespace vexadra
