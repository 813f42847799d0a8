#pragma once
// The game: the two boards, the moves with their captures and scores, the rounds, the
// games and the keys. It draws through a GameScreen and sounds through the cues, so
// it runs the same on the real window, in a test and in a soak run.

#include <functional>

#include "game/GameScreen.h"
#include "game/GameState.h"

namespace vexadra {

class RandomSource;
class ScoreHistory;

class VexadraGame {
public:
    // Empties the history: a run starts with no completed games.
    VexadraGame(ScoreHistory& history, RandomSource& random);

    VexadraGame(const VexadraGame&) = delete;
    VexadraGame& operator=(const VexadraGame&) = delete;

    // nullptr draws nowhere (the state still changes).
    void SetScreen(GameScreen* screen);
    // Shows the scores list modally; called by End (after recording) and by F2.
    void SetShowScores(std::function<void()> showScores);

    void OnLButtonDown(Point point);
    void OnLButtonUp(Point point);
    void OnKeyDown(int nChar);

    void StartNextRound();
    void EndGame();
    void ReturnToGame();
    // Deals both boards anew (the first paint and every new round); drops any pick-up.
    void DealRound();

    // True in the one state in which End ends the game: no move made yet in this
    // round and a score that is not 0 : 0.
    bool EndGameAllowed() const;
    // The number of the game in progress.
    int GameNumber() const;

    GameState& State() { return m_state; }
    const GameState& State() const { return m_state; }
    const ScoreHistory& History() const { return m_history; }

private:
    int HitTest(Point point, int first, int last) const;  // -1 when on no square
    void Press(Point point);
    // The keyboard's moves go through the same press and release as the mouse's.
    void MoveFocus(int nChar);
    void PickOrDrop();
    // Forgets a pick-up made from the keyboard and takes its mark off the square.
    void ForgetKeyPick();
    // After a redraw of the boards: the frame and the pick-up mark back on their squares.
    void DrawKeyMarks();
    bool IsLegalMove(int base, int from, int to) const;
    bool TakeOpposite(int square, ColorRef moved);
    void Reject();
    void PlayCaptureCue(bool lastMoveOfRound);
    void WaitForCue(int nID);
    void ScoreChanged(int delta);

    GameState m_state;
    ScoreHistory& m_history;
    RandomSource& m_random;
    GameScreen* m_screen;
    std::function<void()> m_showScores;
};

} // namespace vexadra
