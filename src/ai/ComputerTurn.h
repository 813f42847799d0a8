#pragma once
// Paces the computer's turns so that a person can follow them, and keeps the person's
// drags out of them. The window calls Tick from a timer; nothing here blocks or waits.
//
// A turn: a short pause, then the square the computer picks up is marked, then the move
// is made (about 0.65 s in all). When the computer opens a round in which End would still
// act, its move waits 1.6 s so that the person can end the game first. While paused (the
// instructions page or a dialog is up) a turn is dropped and starts afresh afterwards.
// Expert thinks on a worker thread from the turn's start while the pause runs; its mark
// comes when it has answered, and stays up at least briefly. While the person is to move
// it thinks over the position too, so that its answer comes sooner.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <memory>

#include "ai/Computer.h"
#include "game/Opponent.h"
#include "game/VexadraGame.h"

namespace vexadra::ai {

// The computer always plays the right side.
constexpr int kComputerSide = 1;

class ComputerTurn {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kPauseBeforeMark{250};
    static constexpr std::chrono::milliseconds kMarkShown{400};
    static constexpr std::chrono::milliseconds kEndStaysReachable{1600};
    static constexpr std::chrono::milliseconds kMarkShownAtLeast{150};

    ComputerTurn(VexadraGame& game, std::uint64_t seed);
    ~ComputerTurn();
    ComputerTurn(const ComputerTurn&) = delete;
    ComputerTurn& operator=(const ComputerTurn&) = delete;

    // Takes effect at the next tick: a turn under way is dropped, its mark with it.
    void SetOpponent(Opponent opponent);
    Opponent GetOpponent() const { return m_opponent; }
    void SetLimits(const SearchLimits& limits);

    // The side to move is the computer's.
    bool HoldsTurn() const;
    // A person's release: handed to the game, or refused as a move out of turn is while the
    // computer holds the turn.
    void PersonRelease(Point point);
    // A person's key: handed to the game, but a keyboard drop (the keyboard's release) is
    // refused like a mouse release while the computer holds the turn.
    void PersonKey(int nChar);

    // Takes back the newest move; against the computer as many more as give the person
    // the turn again. A turn under way is dropped (its mark must then go). False when
    // there was nothing to take back.
    bool Undo();
    // Abandons the game in progress for a fresh one; a turn under way is dropped.
    void NewGame();

    enum class Step {
        Idle,      // not the computer's turn
        Waiting,   // its turn, nothing to show yet
        Marked,    // MarkedSquare() has just been picked: draw its frame
        Unmarked,  // a marked turn was dropped: the frame must go
        Moved,     // the move has been made through the game's handlers
    };
    Step Tick(Clock::time_point now, bool paused);
    // The square marked for the coming move; -1 when none.
    int MarkedSquare() const { return m_marked; }
    // The move last made by Tick (for checks).
    const Move& LastMove() const { return m_move; }
    // For checks too: the computer's last search, and whether the thinking over the
    // person's position has come to its end.
    SearchReport LastSearch() const { return m_computer ? m_computer->LastSearch() : SearchReport{}; }
    bool PonderDone() const { return m_ponder.valid() && m_ponder.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }

private:
    struct TurnKey {
        int round = 0;
        int movesLeft[kSides] = {};
        int game = 0;
        unsigned long long revision = 0;
        friend bool operator==(const TurnKey&, const TurnKey&) = default;
    };
    TurnKey KeyNow() const;
    // Also stops the thinking over the person's position, unless told to keep it.
    Step Drop(bool keepPondering = false);
    // Ends the worker's search, if one runs, and waits for it (it stops within a moment).
    void StopThinking();
    // Thinks over the person's position, unless that is already under way or done.
    void Ponder();
    void StopPondering();

    VexadraGame& m_game;
    std::uint64_t m_seed;
    Opponent m_opponent = Opponent::TwoPlayers;
    std::unique_ptr<Computer> m_computer;
    SearchLimits m_limits;

    bool m_active = false;
    TurnKey m_key;
    Clock::time_point m_moveAt;
    Clock::time_point m_markedAt;
    int m_marked = -1;
    Move m_move;
    std::atomic<bool> m_stop{false};
    std::future<Move> m_answer;
    TurnKey m_ponderKey;
    std::atomic<bool> m_ponderStop{false};
    std::future<void> m_ponder;
};

} // namespace vexadra::ai
