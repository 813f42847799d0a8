#include "ai/ComputerTurn.h"

#include <algorithm>
#include <system_error>

#include "game/Keys.h"

namespace vexadra::ai {

ComputerTurn::ComputerTurn(VexadraGame& game, std::uint64_t seed) : m_game(game), m_seed(seed) {}

ComputerTurn::~ComputerTurn()
{
    StopThinking();
    StopPondering();
}

namespace {
// Asks a worker's search to end and waits for it: it stops within a moment.
template <class Result>
void StopWorker(std::atomic<bool>& stop, std::future<Result>& worker)
{
    if (!worker.valid())
        return;
    stop = true;
    worker.wait();
    worker = {};
}
} // namespace

void ComputerTurn::StopThinking() { StopWorker(m_stop, m_answer); }

void ComputerTurn::StopPondering() { StopWorker(m_ponderStop, m_ponder); }

void ComputerTurn::Ponder()
{
    const TurnKey key = KeyNow();
    if (m_ponder.valid() && key == m_ponderKey)
        return;
    StopPondering();
    m_ponderKey = key;
    m_ponderStop = false;
    try {
        m_ponder = std::async(std::launch::async, [this, state = m_game.State()] { m_computer->Ponder(state, &m_ponderStop); });
    } catch (const std::system_error&) {
        // No thread to be had: the turn's own search does without.
    }
}

void ComputerTurn::SetOpponent(Opponent opponent)
{
    StopThinking();
    StopPondering();
    m_opponent = opponent;
    Level level;
    if (LevelOf(opponent, level)) {
        m_computer = std::make_unique<Computer>(level, m_seed);
        m_computer->SetLimits(m_limits);
    } else {
        m_computer.reset();
    }
    Drop();
}

void ComputerTurn::SetLimits(const SearchLimits& limits)
{
    StopThinking();
    StopPondering();
    m_limits = limits;
    if (m_computer)
        m_computer->SetLimits(limits);
}

bool ComputerTurn::HoldsTurn() const
{
    const GameState& s = m_game.State();
    return m_computer != nullptr && s.m_bDealt && s.m_nSide == kComputerSide;
}

void ComputerTurn::PersonRelease(Point point)
{
    if (!HoldsTurn()) {
        m_game.OnLButtonUp(point);
        return;
    }
    const GameState& s = m_game.State();
    if (!s.m_bInstructions && s.m_nPressState == kPressPicked)
        m_game.Refuse(m_game.SquareAt(point));
}

void ComputerTurn::PersonKey(int nChar)
{
    const GameState& s = m_game.State();
    const bool drop = (nChar == VK_SPACE || nChar == VK_RETURN) && !s.m_bInstructions && s.KeyPickSquare() >= 0;
    if (drop && HoldsTurn())
        m_game.Refuse(s.FocusSquare());
    else
        m_game.OnKeyDown(nChar);
}

bool ComputerTurn::Undo()
{
    if (!m_game.CanUndo())
        return false;
    Drop();
    // Against the computer its answer goes too: the person is to move again.
    do
        m_game.UndoMove();
    while (m_computer != nullptr && m_game.CanUndo() && m_game.State().m_nSide == kComputerSide);
    return true;
}

void ComputerTurn::NewGame()
{
    Drop();
    m_game.NewGame();
}

ComputerTurn::TurnKey ComputerTurn::KeyNow() const
{
    const GameState& s = m_game.State();
    return TurnKey{s.m_nRound, {s.m_nMovesLeft[0], s.m_nMovesLeft[1]}, m_game.GameNumber(), m_game.Revision()};
}

ComputerTurn::Step ComputerTurn::Drop(bool keepPondering)
{
    StopThinking();
    if (!keepPondering)
        StopPondering();
    const bool wasMarked = m_marked >= 0;
    m_active = false;
    m_marked = -1;
    return wasMarked ? Step::Unmarked : Step::Idle;
}

ComputerTurn::Step ComputerTurn::Tick(Clock::time_point now, bool paused)
{
    const GameState& s = m_game.State();
    if (!HoldsTurn() || paused || s.m_bInstructions) {
        const bool personToMove = !paused && !s.m_bInstructions && m_computer != nullptr && s.m_bDealt;
        const Step dropped = Drop(personToMove);
        if (personToMove && m_computer->GetLevel() == Level::Expert)
            Ponder();
        return dropped;
    }
    const TurnKey key = KeyNow();
    if (!m_active || !(key == m_key)) {
        // A new turn, or the game moved on under the old one (End, say).
        const Step dropped = Drop();
        m_active = true;
        m_key = key;
        m_moveAt = now + (m_game.EndGameAllowed() ? kEndStaysReachable : kPauseBeforeMark + kMarkShown);
        if (m_computer->GetLevel() == Level::Expert) {
            m_stop = false;
            m_answer = std::async(std::launch::async, [this, state = m_game.State()] {
                return m_computer->ChooseMove(state, &m_stop);
            });
        }
        return dropped == Step::Unmarked ? dropped : Step::Waiting;
    }
    if (m_marked < 0) {
        if (now < m_moveAt - kMarkShown)
            return Step::Waiting;
        Move move;
        if (m_answer.valid()) {
            if (m_answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
                return Step::Waiting;
            move = m_answer.get();
        } else {
            move = m_computer->ChooseMove(m_game.State());
        }
        if (move.IsNone())
            return Step::Waiting;
        m_move = move;
        m_marked = move.from;
        m_markedAt = now;
        return Step::Marked;
    }
    if (now < std::max(m_moveAt, m_markedAt + kMarkShownAtLeast))
        return Step::Waiting;
    m_active = false;
    m_marked = -1;
    // The key above keeps a decision to its own position, so the rules never refuse it.
    return m_game.Play(m_move).Legal() ? Step::Moved : Step::Idle;
}

} // namespace vexadra::ai
