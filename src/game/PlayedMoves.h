#pragma once
// The moves of the game in progress, newest last, with what it takes to play them back
// in reverse: Undo walks back through them, the Show Last Move marks read the newest.

#include <cstddef>
#include <deque>

#include "game/Move.h"
#include "game/Rules.h"

namespace vexadra {

struct PlayedMove {
    Move move;
    MoveOutcome outcome;
    // The move ended its round: the gong sounded and a new deal covered this board.
    bool endedRound = false;
    int squaresBeforeDeal[kSquares] = {};
};

class PlayedMoves {
public:
    // A game of this many moves is kept whole; beyond it the oldest moves can no longer
    // be taken back, so that a run that never ends its game still uses bounded memory.
    static constexpr std::size_t kKept = 4096;

    void Remember(const PlayedMove& played)
    {
        if (m_moves.size() == kKept)
            m_moves.pop_front();
        m_moves.push_back(played);
    }
    bool Empty() const { return m_moves.empty(); }
    std::size_t Size() const { return m_moves.size(); }
    const PlayedMove& Last() const { return m_moves.back(); }
    PlayedMove TakeLast()
    {
        PlayedMove last = m_moves.back();
        m_moves.pop_back();
        return last;
    }
    void Clear() { m_moves.clear(); }

private:
    std::deque<PlayedMove> m_moves;
};

} // namespace vexadra
