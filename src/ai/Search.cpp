#include "ai/Search.h"

#include <algorithm>
#include <utility>

namespace vexadra::ai {

namespace {
constexpr int kInfinity = 1 << 20;
}

Search::Search(const GameState& state, const SearchLimits& limits) : m_position(state), m_limits(limits)
{
    m_rootCount = m_position.LegalMoves(m_root);
}

void Search::ShuffleRoot(const std::function<int(int)>& below)
{
    for (int i = m_rootCount - 1; i > 0; --i)
        std::swap(m_root[i], m_root[below(i + 1)]);
}

bool Search::Expired()
{
    if (m_stopped)
        return true;
    ++m_report.nodes;
    if (m_report.nodes >= m_limits.nodes)
        m_stopped = true;
    else if ((m_report.nodes & 255) == 0 && std::chrono::steady_clock::now() >= m_deadline)
        m_stopped = m_report.outOfTime = true;
    return m_stopped;
}

// The moves that score at once first: they set the bounds that cut the rest off early.
int Search::OrderedMoves(Move (&moves)[kMaxMoves]) const
{
    const int count = m_position.LegalMoves(moves);
    int gains[kMaxMoves];
    for (int i = 0; i < count; ++i)
        gains[i] = m_position.Gain(moves[i]);
    for (int i = 1; i < count; ++i) {
        const Move move = moves[i];
        const int gain = gains[i];
        int j = i;
        for (; j > 0 && gains[j - 1] < gain; --j) {
            moves[j] = moves[j - 1];
            gains[j] = gains[j - 1];
        }
        moves[j] = move;
        gains[j] = gain;
    }
    return count;
}

// The turn passes after a move, except when the other side is left without a legal move
// and passes it straight back.
int Search::ValueFor(int mover, int depth, int alpha, int beta)
{
    if (m_position.SideToMove() == mover)
        return Negamax(depth, alpha, beta);
    return -Negamax(depth, -beta, -alpha);
}

int Search::Negamax(int depth, int alpha, int beta)
{
    const int side = m_position.SideToMove();
    if (depth == 0 || m_position.PliesLeft() == 0)
        return m_position.Lead(side);
    Move moves[kMaxMoves];
    const int count = OrderedMoves(moves);
    if (count == 0)
        return m_position.Lead(side);
    int best = -kInfinity;
    for (int i = 0; i < count; ++i) {
        if (Expired())
            return 0;
        const Position::Undo undo = m_position.Play(moves[i]);
        const int value = ValueFor(side, depth - 1, alpha, beta);
        m_position.TakeBack(undo);
        if (m_stopped)
            return 0;
        if (value > best) {
            best = value;
            if (value > alpha) {
                alpha = value;
                if (alpha >= beta)
                    break;
            }
        }
    }
    return best;
}

Move Search::Run()
{
    m_deadline = std::chrono::steady_clock::now() + m_limits.time;
    if (m_rootCount == 0)
        return Move{};
    // Within a pass the immediate score orders the moves; across passes the values of the
    // last pass do, best first, so a pass cut short has still looked at the best so far.
    int values[kMaxMoves];
    for (int i = 0; i < m_rootCount; ++i)
        values[i] = m_position.Gain(m_root[i]);
    const int side = m_position.SideToMove();
    Move best = m_root[0];
    for (int depth = 1; depth <= m_position.PliesLeft(); ++depth) {
        std::pair<int, Move> ranked[kMaxMoves];
        for (int i = 0; i < m_rootCount; ++i)
            ranked[i] = {values[i], m_root[i]};
        std::stable_sort(ranked, ranked + m_rootCount,
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (int i = 0; i < m_rootCount; ++i)
            m_root[i] = ranked[i].second;
        int passValues[kMaxMoves];
        int alpha = -kInfinity;
        int passBest = -1;
        for (int i = 0; i < m_rootCount; ++i) {
            if (Expired())
                break;
            const Position::Undo undo = m_position.Play(m_root[i]);
            const int value = ValueFor(side, depth - 1, alpha, kInfinity);
            m_position.TakeBack(undo);
            if (m_stopped)
                break;
            passValues[i] = value;
            if (value > alpha) {
                alpha = value;
                passBest = i;
            }
        }
        if (passBest >= 0)
            best = m_root[passBest];
        if (m_stopped)
            break;
        m_report.depth = depth;
        std::copy(passValues, passValues + m_rootCount, values);
    }
    return best;
}

} // namespace vexadra::ai
