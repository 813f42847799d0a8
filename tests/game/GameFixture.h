#pragma once
// A game on a small test layout, drawing into a log that also receives the cues, so a
// test can check what was drawn and heard, and in which order.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/Deal.h"
#include "game/GameScreen.h"
#include "game/VexadraGame.h"
#include "scores/ScoreHistory.h"
#include "support/CueRecorder.h"

namespace vexadra::testing {

// Draws from a function of the draw's position in the sequence.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::function<int(int)> draw) : m_draw(std::move(draw)) {}
    int Next() override { return m_draw(draws++); }
    int draws = 0;

private:
    std::function<int(int)> m_draw;
};

// Appends one readable line per call, e.g. "FillSquare 2 #64f0f0" or "DrawArrow 1".
class RecordingScreen final : public GameScreen {
public:
    explicit RecordingScreen(std::vector<std::string>& log) : m_log(log) {}
    void FillSquare(int n, const Brush& brush) override;
    void FillSquares() override { Add("FillSquares"); }
    void ClearClient() override { Add("ClearClient"); }
    void DrawSquareNumber(int n, int number) override;
    void RedrawSquare(int n) override { Add("RedrawSquare", n); }
    void DrawArrow(int side) override { Add("DrawArrow", side); }
    void DrawScoreBox(int side) override { Add("DrawScoreBox", side); }
    void DrawMovesBox(int side) override { Add("DrawMovesBox", side); }
    void DrawGameRoundBox() override { Add("DrawGameRoundBox"); }
    void DrawHelpLines() override { Add("DrawHelpLines"); }
    void DrawHint() override { Add("DrawHint"); }
    void DrawNumbers() override { Add("DrawNumbers"); }
    void DrawInstructionsPage() override { Add("DrawInstructionsPage"); }
    void Present() override { Add("Present"); }

private:
    void Add(const std::string& what) { m_log.push_back(what); }
    void Add(const std::string& what, int arg) { m_log.push_back(what + " " + std::to_string(arg)); }
    std::vector<std::string>& m_log;
};

std::string FillLine(int n, ColorRef color);
std::string CueLine(int nID, bool wait);

// Squares of 10 by 10 pixels, the left board from (20, 20), the right one from
// (100, 100); neighbouring squares share their border lines.
Rect TestSquareRect(int n);
Point Centre(int n);
// On the shared border of squares n and n + 1 (same row): on neither.
Point BorderRightOf(int n);
// Between the boards: on no square.
constexpr Point kOutside{80, 10};

// A dealt game at the start of its first round. The generator always draws 0, so both
// boards start as the identity: square n holds colour index n.
class GameTest : public ::testing::Test {
protected:
    GameTest();

    void Press(int n) { game.OnLButtonDown(Centre(n)); }
    void Release(int n) { game.OnLButtonUp(Centre(n)); }
    void Drag(int from, int to);
    void Key(int nChar) { game.OnKeyDown(nChar); }

    GameState& S() { return game.State(); }
    // Puts the colour index on the square and keeps the board a permutation: the square
    // that held the index (if any) takes the square's old index.
    void Place(int square, int index);
    void Empty(int square) { S().m_nSquareColor[square] = kBlackIndex; }

    // A legal move of the active side that takes nothing; fails the test if none exists.
    void QuietMove();
    void QuietMoves(int count);
    // A legal move of the active side that takes one colour (two when both) from the
    // other board, arranged by placing the colours on the opposite squares first.
    void CapturingMove(bool both = false);

    // The state as it was, ignoring what only a handler's working values hold.
    void ExpectPositionUnchanged(const GameState& before);
    std::vector<CueCall> Cues() const { return cues.calls; }
    int CountInLog(const std::string& line) const;
    // Index of the first line equal to `line` from `from` on; -1 when none.
    int FindInLog(const std::string& line, int from = 0) const;

    ScoreHistory history;
    ScriptedRandom random{[](int) { return 0; }};
    VexadraGame game{history, random};
    std::vector<std::string> log;
    RecordingScreen screen{log};
    CueRecorder cues;
    int scoresShown = 0;

private:
    // Adjacent squares a, b of the active board that are both coloured, such that the
    // colours on the opposite squares decide the captures alone.
    bool FindQuietPair(int& a, int& b) const;
};

} // namespace vexadra::testing
