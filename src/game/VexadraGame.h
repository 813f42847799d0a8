#pragma once
// The game: the two boards, the moves with their captures and scores, the rounds, the
// games and the keys. It draws through a GameScreen and sounds through the cues, so
// it runs the same on the real window, in a test and in a soak run.

#include <functional>

#include "game/GameScreen.h"
#include "game/GameState.h"
#include "game/Move.h"
#include "game/PlayedMoves.h"

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

    // Plays a move of the side to move as the player sees and hears it: drawn and sounded
    // step by step, and the next round started after the last move of a round. A refused
    // move changes nothing and makes no sound: the caller answers it.
    MoveOutcome Play(const Move& move);
    // Takes back the newest move of the game in progress, over a gong too, exactly as the
    // state was before it, and redraws the game screen. Silent; false when there is none
    // or the instructions page is shown.
    bool UndoMove();
    bool CanUndo() const { return !m_played.Empty() && !m_state.m_bInstructions; }
    const PlayedMoves& Played() const { return m_played; }
    // Changes whenever the position does (a move, an undo, a deal, a new or ended game),
    // so that a decision taken for one position is never applied to another.
    unsigned long long Revision() const { return m_revision; }
    // Abandons the game in progress unrecorded: a new deal, round 1, 0 : 0, the left side
    // to move, the game screen shown.
    void NewGame();
    // At least one move has been made in the game in progress.
    bool GameHasMoves() const;

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
    class MoveSteps;

    int HitTest(Point point, int first, int last) const;  // -1 when on no square
    // A press and a release, on a square or on none (-1): the mouse's and the keyboard's.
    void PickUp(int square);
    void Drop(int square);
    // The keyboard's moves go through the same pick-up and drop as the mouse's.
    void MoveFocus(int nChar);
    void PickOrDrop();
    // Forgets a pick-up made from the keyboard and takes its mark off the square.
    void ForgetKeyPick();
    // After a redraw of the boards: the frame and the pick-up mark back on their squares.
    void DrawKeyMarks();
    void Reject();
    void PlayCaptureCue(bool lastMoveOfRound);
    void WaitForCue(int nID);
    // The whole game screen again from the state.
    void RedrawGame();

    GameState m_state;
    ScoreHistory& m_history;
    RandomSource& m_random;
    GameScreen* m_screen;
    std::function<void()> m_showScores;
    PlayedMoves m_played;
    unsigned long long m_revision = 0;
};

} // namespace vexadra
