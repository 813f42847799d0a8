#include "game/VexadraGame.h"

#include <algorithm>
#include <utility>

#include "game/Deal.h"
#include "game/Keys.h"
#include "game/MoveRules.h"
#include "scores/ScoreHistory.h"
#include "sound/Cues.h"

namespace vexadra {

namespace {
// Stands in while no screen is attached, so the handlers never test for one.
class NoScreen final : public GameScreen {
public:
    void FillSquare(int, const Brush&) override {}
    void FillSquares() override {}
    void ClearClient() override {}
    void DrawSquareNumber(int, int) override {}
    void RedrawSquare(int) override {}
    void DrawArrow(int) override {}
    void DrawScoreBox(int) override {}
    void DrawMovesBox(int) override {}
    void DrawGameRoundBox() override {}
    void DrawHelpLines() override {}
    void DrawHint() override {}
    void DrawNumbers() override {}
    void DrawInstructionsPage() override {}
    void Present() override {}
};
NoScreen g_noScreen;
} // namespace

VexadraGame::VexadraGame(ScoreHistory& history, RandomSource& random)
    : m_history(history), m_random(random), m_screen(&g_noScreen)
{
    for (int k = 0; k < kGameColors; ++k) {
        m_state.m_crWanted[k] = g_crGameColors[k];
        m_state.m_crWanted[k + kGameColors] = g_crGameColors[k];
    }
    m_state.m_crWanted[kBlackIndex] = kBlackWanted;
    // Until the first paint resolves them, the shown colours are the requested ones.
    for (int k = 0; k < kColorSlots; ++k)
        m_state.m_crShown[k] = m_state.m_crWanted[k];
    m_history.Clear();
}

void VexadraGame::SetScreen(GameScreen* screen) { m_screen = screen != nullptr ? screen : &g_noScreen; }

void VexadraGame::SetShowScores(std::function<void()> showScores) { m_showScores = std::move(showScores); }

int VexadraGame::HitTest(Point point, int first, int last) const
{
    for (int n = first; n <= last; ++n)
        if (m_state.m_rcSquare[n].ContainsStrictly(point))
            return n;
    return -1;
}

void VexadraGame::Reject() { PlayCue(IDR_SOUND_BRRR); }

void VexadraGame::OnLButtonDown(Point point)
{
    ForgetKeyPick();
    // The page covers the boards: a click there must not move squares the player cannot
    // see, nor leave an earlier pick-up for a release after the page has gone.
    if (m_state.m_bInstructions) {
        m_state.m_nPressState = kPressNothing;
        return;
    }
    PickUp(HitTest(point, 0, kSquares - 1));
}

void VexadraGame::PickUp(int n)
{
    GameState& s = m_state;
    s.m_nPressState = kPressPicked;
    s.m_crFrom = 0;
    if (n >= 0)
        s.m_crFrom = s.ShownColorOf(n);
    if (n < 0 || s.m_crFrom == s.BlackReference()) {
        s.m_nPressState = kPressNothing;
        Reject();
        return;
    }
    s.m_nFromSquare = n;
}

void VexadraGame::OnLButtonUp(Point point)
{
    if (m_state.m_bInstructions || m_state.m_nPressState > kPressPicked)
        return;
    Drop(HitTest(point, 0, kSquares - 1));
}

void VexadraGame::Drop(int dropped)
{
    GameState& s = m_state;
    s.m_crTo = 0;
    if (dropped >= 0)
        s.m_crTo = s.ShownColorOf(dropped);
    if (s.m_crTo == s.BlackReference()) {
        s.m_nPressState = kPressOnEmpty;
        Reject();
        return;
    }
    s.m_brColor[kWorkBrushFrom] = Brush{s.m_crFrom};
    s.m_brColor[kWorkBrushTo] = Brush{s.m_crTo};

    // Only a drop on the mover's own board is a move; the rules judge the rest.
    const bool fromOwnBoard = (s.m_nFromSquare < kBoardSquares) == (s.m_nSide == 0);
    const bool toOwnBoard = dropped >= 0 && (dropped < kBoardSquares) == (s.m_nSide == 0);
    if (!fromOwnBoard || !toOwnBoard)
        return Reject();
    s.m_nSquare = dropped;
    if (!Play(Move{s.m_nFromSquare, dropped}).Legal())
        Reject();
}

// Draws and sounds a move as the rules make it, each change as it happens.
class VexadraGame::MoveSteps {
public:
    explicit MoveSteps(VexadraGame& game) : m_game(game) {}

    void Swapped(const Move& move)
    {
        GameState& s = m_game.m_state;
        GameScreen& screen = *m_game.m_screen;
        s.m_nKeyPick = -1;  // the move's own drawing takes the mark off
        for (const int n : {move.to, move.from})
            screen.FillSquare(n, s.m_brColor[s.m_nSquareColor[n]]);
        if (s.m_bNumbers)
            for (const int n : {move.to, move.from})
                screen.DrawSquareNumber(n, ColorNumber(s, s.ShownColorOf(n)));
    }
    void Taken(int k, const MoveOutcome& outcome)
    {
        m_game.m_screen->FillSquare(outcome.taken[k], m_game.m_state.m_brBlack);
        m_game.m_screen->DrawScoreBox(outcome.mover);
        // One cue a move, however many colours it takes.
        if (k == 0 || outcome.taken[0] < 0)
            m_game.PlayCaptureCue(outcome.roundOver);
    }
    void NothingTaken(const MoveOutcome& outcome) { m_game.m_screen->DrawScoreBox(outcome.mover); }
    void TurnPassed(const MoveOutcome& outcome)
    {
        GameState& s = m_game.m_state;
        GameScreen& screen = *m_game.m_screen;
        screen.DrawMovesBox(outcome.mover);
        if (outcome.forfeited[OtherSide(outcome.mover)] > 0)
            screen.DrawMovesBox(OtherSide(outcome.mover));
        screen.DrawArrow(s.m_nSide);
        // Keeps the End line honest: it is offered only while End would act.
        screen.DrawHelpLines();
        // The frame follows the turn to the same place on the other board.
        if (s.m_nFocus >= 0) {
            screen.RedrawSquare(OppositeSquare(s.FocusSquare()));
            screen.RedrawSquare(s.FocusSquare());
        }
    }

private:
    VexadraGame& m_game;
};

MoveOutcome VexadraGame::Play(const Move& move)
{
    PlayedMove played;
    played.move = move;
    StateBoard board(m_state);
    played.outcome = PlayMove(board, move, MoveSteps(*this));
    if (!played.outcome.Legal())
        return played.outcome;
    if (played.outcome.roundOver) {
        played.endedRound = true;
        std::copy(m_state.m_nSquareColor, m_state.m_nSquareColor + kSquares, played.squaresBeforeDeal);
    }
    m_played.Remember(played);
    ++m_revision;
    if (played.outcome.roundOver)
        StartNextRound();
    return played.outcome;
}

void VexadraGame::PlayCaptureCue(bool lastMoveOfRound)
{
    if (lastMoveOfRound)
        WaitForCue(IDR_SOUND_TAKE);
    else
        PlayCue(IDR_SOUND_TAKE);
}

void VexadraGame::WaitForCue(int nID)
{
    m_screen->Present();
    PlayCueAndWait(nID);
}

void VexadraGame::StartNextRound()
{
    GameState& s = m_state;
    s.m_nMovesLeft[0] = kMovesPerRound;
    s.m_nMovesLeft[1] = kMovesPerRound;
    DealRound();
    // The player sees the last move's position while the gong sounds.
    WaitForCue(IDR_SOUND_GONG);
    s.m_nRound += 1;
    m_screen->FillSquares();
    m_screen->DrawScoreBox(0);
    m_screen->DrawScoreBox(1);
    m_screen->DrawMovesBox(0);
    m_screen->DrawMovesBox(1);
    m_screen->DrawGameRoundBox();
    s.m_nSide = OtherSide(s.m_nSide);
    m_screen->DrawArrow(s.m_nSide);
    m_screen->DrawHelpLines();
    m_screen->DrawHint();
    if (s.m_bNumbers)
        m_screen->DrawNumbers();
    DrawKeyMarks();
}

bool VexadraGame::EndGameAllowed() const
{
    const GameState& s = m_state;
    return s.m_nMovesLeft[0] == kMovesPerRound && s.m_nMovesLeft[1] == kMovesPerRound &&
           (s.m_nScore[0] != 0 || s.m_nScore[1] != 0);
}

int VexadraGame::GameNumber() const { return m_history.m_nGameCount + 1; }

void VexadraGame::EndGame()
{
    if (!EndGameAllowed())
        return;
    GameState& s = m_state;
    m_history.RecordGame(s.m_nScore[0], s.m_nScore[1], s.m_nRound - 1);
    m_played.Clear();  // a recorded game is final
    ++m_revision;
    s.m_nRound = 1;
    s.m_nScore[0] = 0;
    s.m_nScore[1] = 0;
    m_screen->DrawScoreBox(0);
    m_screen->DrawScoreBox(1);
    m_screen->DrawGameRoundBox();
    m_screen->DrawHelpLines();
    m_screen->Present();
    if (m_showScores)
        m_showScores();
}

void VexadraGame::ReturnToGame()
{
    m_state.m_bInstructions = false;
    RedrawGame();
}

void VexadraGame::RedrawGame()
{
    GameState& s = m_state;
    m_screen->ClearClient();
    m_screen->FillSquares();
    m_screen->DrawScoreBox(0);
    m_screen->DrawScoreBox(1);
    m_screen->DrawMovesBox(0);
    m_screen->DrawMovesBox(1);
    m_screen->DrawArrow(s.m_nSide);
    m_screen->DrawGameRoundBox();
    m_screen->DrawHelpLines();
    m_screen->DrawHint();
    if (s.m_bNumbers)
        m_screen->DrawNumbers();
    DrawKeyMarks();
}

bool VexadraGame::UndoMove()
{
    if (!CanUndo())
        return false;
    GameState& s = m_state;
    const PlayedMove played = m_played.TakeLast();
    if (played.endedRound) {
        // Back over the gong: the board the round ended on, its number, and the turn as
        // the move left it, before the new round flipped it.
        std::copy(played.squaresBeforeDeal, played.squaresBeforeDeal + kSquares, s.m_nSquareColor);
        s.m_nRound -= 1;
        s.m_nMovesLeft[0] = 0;
        s.m_nMovesLeft[1] = 0;
        s.m_nSide = OtherSide(s.m_nSide);
    }
    TakeBackMove(s, played.move, played.outcome);
    ++m_revision;
    s.m_nPressState = kPressNothing;
    s.m_nKeyPick = -1;
    RedrawGame();
    return true;
}

bool VexadraGame::GameHasMoves() const
{
    const GameState& s = m_state;
    return s.m_nRound > 1 || s.m_nMovesLeft[0] != kMovesPerRound || s.m_nMovesLeft[1] != kMovesPerRound;
}

void VexadraGame::NewGame()
{
    GameState& s = m_state;
    m_played.Clear();
    s.m_nRound = 1;
    s.m_nScore[0] = 0;
    s.m_nScore[1] = 0;
    s.m_nMovesLeft[0] = kMovesPerRound;
    s.m_nMovesLeft[1] = kMovesPerRound;
    s.m_nSide = 0;
    DealRound();
    s.m_bDealt = true;
    ReturnToGame();
}

void VexadraGame::DealRound()
{
    vexadra::DealRound(m_state, m_random);
    ++m_revision;
    // The picked colour has just been dealt away: a release that comes without a fresh
    // press would otherwise paint that old colour and test captures with it, and the
    // screen would no longer show the state.
    m_state.m_nPressState = kPressNothing;
    m_state.m_nKeyPick = -1;
}

void VexadraGame::ForgetKeyPick()
{
    const int picked = m_state.KeyPickSquare();
    m_state.m_nKeyPick = -1;
    if (picked >= 0)
        m_screen->RedrawSquare(picked);
}

void VexadraGame::DrawKeyMarks()
{
    for (const int n : {m_state.FocusSquare(), m_state.KeyPickSquare()})
        if (n >= 0)
            m_screen->RedrawSquare(n);
}

void VexadraGame::MoveFocus(int nChar)
{
    GameState& s = m_state;
    const int old = s.FocusSquare();
    if (nChar == VK_HOME || s.m_nFocus < 0) {
        s.m_nFocus = 0;
    } else {
        // The frame stops at the board's edges.
        int row = RowOf(s.m_nFocus);
        int column = ColumnOf(s.m_nFocus);
        if (nChar == VK_LEFT && column > 0)
            --column;
        else if (nChar == VK_RIGHT && column < 3)
            ++column;
        else if (nChar == VK_UP && row > 0)
            --row;
        else if (nChar == VK_DOWN && row < 3)
            ++row;
        s.m_nFocus = 4 * row + column;
    }
    if (old >= 0 && old != s.FocusSquare())
        m_screen->RedrawSquare(old);
    m_screen->RedrawSquare(s.FocusSquare());
}

void VexadraGame::PickOrDrop()
{
    GameState& s = m_state;
    if (s.m_nFocus < 0)
        return;
    const int square = s.FocusSquare();
    if (s.KeyPickSquare() < 0) {
        PickUp(square);
        if (s.m_nPressState == kPressPicked) {
            s.m_nKeyPick = square;
            m_screen->RedrawSquare(square);
        }
        return;
    }
    const int picked = s.m_nKeyPick;
    Drop(square);
    // A drop on an empty square ends the pick-up as it does for the mouse.
    if (s.m_nKeyPick >= 0 && s.m_nPressState != kPressPicked) {
        s.m_nKeyPick = -1;
        m_screen->RedrawSquare(picked);
    }
}

void VexadraGame::OnKeyDown(int nChar)
{
    GameState& s = m_state;
    if (s.m_bInstructions) {
        if (nChar == VK_END)
            ReturnToGame();
        return;
    }
    switch (nChar) {
    case VK_F1:
        m_screen->DrawInstructionsPage();
        s.m_bInstructions = true;
        break;
    case VK_END:
        EndGame();
        break;
    case VK_F2:
        if (m_history.m_nGameCount > 0 && m_showScores) {
            m_screen->Present();
            m_showScores();
        }
        break;
    case VK_INSERT:
        s.m_bNumbers = true;
        m_screen->DrawNumbers();
        break;
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        MoveFocus(nChar);
        break;
    case VK_SPACE:
    case VK_RETURN:
        PickOrDrop();
        break;
    case VK_ESCAPE:
        ForgetKeyPick();
        s.m_nPressState = kPressNothing;
        break;
    default:
        break;
    }
}

} // namespace vexadra
