#include "ai/Search.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "game/MoveRules.h"

namespace vexadra::ai {

namespace {
constexpr int kInfinity = 1 << 20;
constexpr int kMostPerMove = 2 * kPointsPerCapture;
constexpr int kLeastPerMove = kPointsForNothing;
constexpr int kShallowPasses = 4;
// Beyond any history a search builds up.
constexpr int kQuietOrderScale = 1 << 26;
// Plies below the root where the moves that take nothing are ordered by what they leave.
constexpr int kQuietOrderPlies = 2;
// How deep those moves are looked at for the order where it matters most: an odd number,
// so that the look ends with the other side's answer (an even one misleads).
constexpr int kProbePlies = 3;

// Which of AllMoveCandidates() joins two relative squares, in either order; nullptr for
// none (and for a square with itself).
struct CandidateIndex {
    CandidateIndex()
    {
        const MoveCandidates& all = AllMoveCandidates();
        for (int i = 0; i < all.count; ++i)
            of[all.list[i].f][all.list[i].t] = of[all.list[i].t][all.list[i].f] = &all.list[i];
    }
    const MoveCandidate* of[kBoardSquares][kBoardSquares] = {};
};
const CandidateIndex kCandidateIndex;
} // namespace

Search::Search(const GameState& state, const SearchLimits& limits, TranspositionTable& table,
               const std::atomic<bool>* stop)
    // Hard's budget is spent as it was measured: on positions told apart by their shades.
    : m_board(state, limits.toTheEnd), m_limits(limits), m_table(table), m_stop(stop)
{
    m_rootCount = LegalMoves(m_board, m_root);
    m_rootPlies = m_board.PliesLeft();
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
    if (m_limits.nodes > 0 && m_report.nodes >= m_limits.nodes)
        m_stopped = true;
    else if ((m_report.nodes & 1023) == 0) {
        if (m_stop != nullptr && m_stop->load(std::memory_order_relaxed))
            m_stopped = true;
        else if (std::chrono::steady_clock::now() >= m_deadline)
            m_stopped = m_report.outOfTime = true;
    }
    return m_stopped;
}

int RootSplit::Threshold(int index)
{
    const std::lock_guard lock(m_lock);
    return index < m_bestIndex ? m_bestValue - 1 : m_bestValue;
}

void RootSplit::Offer(int index, int value)
{
    const std::lock_guard lock(m_lock);
    Settle(index, value);
}

void RootSplit::CutShort(int index, int atLeast)
{
    const std::lock_guard lock(m_lock);
    m_cutShort = true;
    Settle(index, atLeast);
}

void RootSplit::Settle(int index, int value)
{
    if (value > m_bestValue || (value == m_bestValue && index < m_bestIndex)) {
        m_bestValue = value;
        m_bestIndex = index;
    }
    ++m_settled;
    m_changed.notify_all();
}

int& Search::History(const Move& move) { return m_history[move.from][RelativeIndex(move.to)]; }

// Captures first, the bigger first: they set the bounds that cut the rest off early. Among
// the moves that take nothing, those that cut the search off elsewhere before. The moves
// are picked in that order one at a time, since a cut-off usually comes early.
void Search::Order(Ordered& list) const
{
    for (int i = 0; i < list.count; ++i) {
        const Move& move = list.moves[i];
        list.gains[i] = MoveGain(m_board, move);
        list.keys[i] = list.gains[i] * 1000000 + m_history[move.from][RelativeIndex(move.to)];
    }
}

// Near the root, where a move tried in vain costs most, the moves that take nothing go in
// the order of what they leave the other side to take at once, the least first; then as
// elsewhere. The captures are left out: they have been tried.
void Search::OrderQuiet(Ordered& list, const Move& first)
{
    const int other = OtherSide(m_board.SideToMove());
    Offers offers;
    ListOffers(other, offers);
    int kept = 0;
    for (int i = 0; i < list.count; ++i) {
        const Move move = list.moves[i];
        if (move == first || MoveGain(m_board, move) > 0)
            continue;
        const int answer = std::max(OfferedBesides(offers, RelativeIndex(move.from), RelativeIndex(move.to)), AnswerThroughSwap(other, move));
        list.moves[kept] = move;
        list.gains[kept] = kLeastPerMove;
        list.keys[kept] = (kMostPerMove - answer) * kQuietOrderScale + std::min(m_history[move.from][RelativeIndex(move.to)], kQuietOrderScale - 1);
        ++kept;
    }
    list.count = kept;
}

void Search::PickNext(Ordered& list, int i)
{
    int pick = i;
    for (int j = i + 1; j < list.count; ++j)
        if (list.keys[j] > list.keys[pick])
            pick = j;
    std::swap(list.moves[i], list.moves[pick]);
    std::swap(list.gains[i], list.gains[pick]);
    std::swap(list.keys[i], list.keys[pick]);
}

// Calls capture(move, gain) for each move of the side that takes something, while it
// answers true. With every shade once on a board, only a move that carries a colour
// straight to its partner's square can take anything.
template <class Capture>
void Search::ForEachCapture(int side, Capture&& capture) const
{
    const int base = side * kBoardSquares;
    const unsigned occupied = m_board.Occupied(side);
    for (unsigned left = occupied; left != 0; left &= left - 1) {
        const int from = std::countr_zero(left);
        const int partner = m_board.Where(OtherSide(side), m_board.Shade(base + from));
        if (partner < 0)
            continue;
        const MoveCandidate* pair = kCandidateIndex.of[from][RelativeIndex(partner)];
        if (pair == nullptr || !IsCandidateOpen(occupied, *pair))
            continue;
        // As LegalMoves lists it, so that the same move is always spelt alike.
        const Move move{base + pair->f, base + pair->t};
        if (!capture(move, MoveGain(m_board, move)))
            return;
    }
}

// At most sixteen captures to look at rather than every move, when shades are unique.
int Search::BestGainNow() const
{
    const int side = m_board.SideToMove();
    if (!m_board.ShadesUnique()) {
        Move moves[kMaxMoves];
        const int count = LegalMoves(m_board, moves);
        int best = count > 0 ? kLeastPerMove : 0;
        for (int i = 0; i < count; ++i)
            best = std::max(best, MoveGain(m_board, moves[i]));
        return best;
    }
    int best = kLeastPerMove;
    ForEachCapture(side, [&best](const Move&, int gain) {
        best = std::max(best, gain);
        return best < kMostPerMove;
    });
    return best > kLeastPerMove || HasMoveOnBoard(m_board, side) ? best : 0;
}

// The other side's best score from a move that involves the relative square of its board:
// with every shade once on a board, only two such moves can take anything, the one
// carrying the square's colour onto its partner's square and the one bringing in the
// colour that the facing square shows.
int Search::AnswerThrough(int answering, int relative) const
{
    const int base = answering * kBoardSquares;
    const int square = base + relative;
    int best = kLeastPerMove;
    if (m_board.IsEmpty(square))
        return best;
    const int partner = m_board.Where(OtherSide(answering), m_board.Shade(square));
    const int facing = OppositeSquare(square);
    const int ends[2] = {partner < 0 ? -1 : OppositeSquare(partner),
                         m_board.IsEmpty(facing) ? -1 : m_board.Where(answering, m_board.Shade(facing))};
    for (const int end : ends) {
        if (end < 0 || end == square)
            continue;
        const MoveCandidate* pair = kCandidateIndex.of[relative][RelativeIndex(end)];
        if (pair != nullptr && IsCandidateOpen(m_board, base, *pair))
            best = std::max(best, MoveGain(m_board, Move{square, end}));
    }
    return best;
}

void Search::ListOffers(int side, Offers& offers) const
{
    offers.count = 0;
    ForEachCapture(side, [&offers](const Move& offer, int gain) {
        offers.list[offers.count++] = {RelativeIndex(offer.from), RelativeIndex(offer.to), gain};
        return true;
    });
}

int Search::OfferedBesides(const Offers& offers, int a, int b)
{
    int best = kLeastPerMove;
    for (int k = 0; k < offers.count; ++k) {
        const Offers::Offer& offer = offers.list[k];
        if (offer.a != a && offer.a != b && offer.b != a && offer.b != b)
            best = std::max(best, offer.gain);
    }
    return best;
}

int Search::AnswerThroughSwap(int answering, const Move& move)
{
    m_board.SwapKeyless(move.from, move.to);
    const int best = std::max(AnswerThrough(answering, RelativeIndex(move.from)), AnswerThrough(answering, RelativeIndex(move.to)));
    m_board.SwapKeyless(move.from, move.to);
    return best;
}

// The moves that hold up a few plies deep go first, in the order they had among
// themselves. False when the search was stopped meanwhile.
bool Search::Probe(Ordered& list, int alpha, int beta)
{
    const int side = m_board.SideToMove();
    for (int i = 0; i < list.count; ++i) {
        const int probed = Tried(side, list.moves[i], list.gains[i], kProbePlies, alpha, beta, true);
        if (m_stopped)
            return false;
        list.keys[i] = std::clamp(probed, -kMostPerMove, kMostPerMove - 1) * kQuietOrderScale + list.keys[i] % kQuietOrderScale;
    }
    return true;
}

// Two plies from the end of the pass: a move, then the other side's best answer, which is
// counted rather than played. A move that takes nothing leaves the other board as it was,
// so the answers it allows are the captures on offer before it, except those through the
// two squares it swapped, which are looked at afresh. The rest go the usual way.
int Search::LastTwoPlies(int alpha, int beta)
{
    const int side = m_board.SideToMove();
    const int other = OtherSide(side);
    if (m_board.MovesLeft(side) == 0)
        return 0;
    const bool answersAlike = m_board.MovesLeft(other) > 0 && HasMoveOnBoard(m_board, other);
    Offers offers;
    // Listed when first needed: a capture that cuts off at once needs none.
    bool offersListed = false;

    // A move that takes nothing is worth 0 at most: a point lost, and the other side's
    // answer loses it one at worst.
    constexpr int kQuietMost = kLeastPerMove - kLeastPerMove;
    int best = -kInfinity;
    // True when the move cuts the rest off.
    bool capturesTried = false;
    const auto cuts = [&](const Move& move) {
        const int gain = MoveGain(m_board, move);
        if (gain > 0 && capturesTried)
            return false;
        int value;
        if (gain < 0 && answersAlike && best >= kQuietMost)
            return false;
        if (gain > 0 || !answersAlike) {
            value = Tried(side, move, gain, 1, std::max(alpha, best), beta, true);
            if (m_stopped)
                return true;
        } else {
            if (!offersListed) {
                ListOffers(other, offers);
                offersListed = true;
            }
            const int answer = OfferedBesides(offers, RelativeIndex(move.from), RelativeIndex(move.to));
            // The answers through the swapped squares can only make it worse.
            if (gain - answer <= best)
                return false;
            value = gain - std::max(answer, AnswerThroughSwap(other, move));
        }
        if (value > best) {
            best = value;
            if (best >= beta) {
                History(move) += 4;
                m_killer[m_board.PliesLeft()] = move;
                return true;
            }
        }
        return false;
    };
    // The move that cut off here last usually cuts off again (the positions met here in a
    // row differ by a move or two), most often before the rest need be listed.
    const Move killer = m_killer[m_board.PliesLeft()];
    const int base = side * kBoardSquares;
    const bool killerLegal = killer.from >= base && killer.from < base + kBoardSquares && [&] {
        const MoveCandidate* pair = kCandidateIndex.of[RelativeIndex(killer.from)][RelativeIndex(killer.to)];
        return pair != nullptr && IsCandidateOpen(m_board.Occupied(side), *pair);
    }();
    if (killerLegal && cuts(killer))
        return m_stopped ? 0 : best;
    if (answersAlike) {
        // The captures next, found without listing every move: one worth 0 or more leaves
        // nothing for the moves that take nothing to do.
        bool cut = false;
        ForEachCapture(side, [&](const Move& move, int) {
            cut = !(killerLegal && move == killer) && cuts(move);
            return !cut;
        });
        if (cut)
            return m_stopped ? 0 : best;
        if (best >= kQuietMost)
            return best;
        capturesTried = true;
    }
    Move (&moves)[kMaxMoves] = m_lists[m_board.PliesLeft()].moves;
    const int count = LegalMoves(m_board, moves);
    if (count == 0)
        return 0;
    int first = 0;
    if (Move* const at = std::find(moves, moves + count, killer); killerLegal && at != moves + count) {
        // The rest in the order they had beside it before.
        std::swap(*at, moves[0]);
        first = 1;
    }
    for (int i = first; i < count; ++i)
        if (cuts(moves[i]))
            return m_stopped ? 0 : best;
    return best;
}

int Search::Child(int mover, int gain, int depth, int alpha, int beta)
{
    if (m_board.SideToMove() == mover)
        return gain + Negamax(depth, alpha - gain, beta - gain);
    return gain - Negamax(depth, gain - beta, gain - alpha);
}

// Principal variation search: a move after the first need only be shown no better than
// the best so far, which a null window does cheaply; only a move that fails that test is
// searched again with the full window.
int Search::Tried(int mover, const Move& move, int gain, int depth, int alpha, int beta, bool full)
{
    const MoveOutcome outcome = PlayLegalMove(m_board, move);
    int value;
    if (full) {
        value = Child(mover, gain, depth, alpha, beta);
    } else {
        value = Child(mover, gain, depth, alpha, alpha + 1);
        if (value > alpha && value < beta && !m_stopped)
            value = Child(mover, gain, depth, value, beta);
    }
    TakeBackMove(m_board, move, outcome);
    return value;
}

int Search::TriedAtRoot(const Move& move, int gain, int depth, int alpha, bool full, int& atLeast)
{
    const int side = m_board.SideToMove();
    atLeast = -kInfinity;
    if (full)
        return Tried(side, move, gain, depth, alpha, kInfinity, true);
    const int value = Tried(side, move, gain, depth, alpha, alpha + 1, true);
    if (m_stopped || value <= alpha)
        return value;
    const int shown = value;
    const int exact = Tried(side, move, gain, depth, value, kInfinity, true);
    // Hard's moves are kept as they were measured, where its budget ends a search.
    if (m_stopped && m_limits.toTheEnd)
        atLeast = shown;
    return exact;
}

int Search::Negamax(int depth, int alpha, int beta)
{
    const int plies = m_board.PliesLeft();
    if (plies == 0 || depth == 0 || Expired())
        return 0;
    depth = std::min(depth, plies);
    const int side = m_board.SideToMove();
    // A side to move without a move left can only be where the round has nothing more to
    // give (the rules refuse it any move); the bounds below count on a move to come.
    if (m_board.MovesLeft(side) == 0)
        return 0;
    int most = kInfinity;
    // What a move can be worth at most beyond its own gain; none is skipped when unknown.
    int afterMost = kInfinity;
    if (depth == plies) {
        // The round's end is near and fixed: each move left gains at most two captures
        // and loses at most one point; the next move, at most what is on offer now. The
        // cheap bound first: the scan for what is on offer is wasted where it settles.
        const int mine = m_board.MovesLeft(side);
        const int theirs = m_board.MovesLeft(OtherSide(side));
        const int least = kLeastPerMove * mine - kMostPerMove * theirs;
        if (least >= beta)
            return least;
        afterMost = kMostPerMove * (mine - 1) - kLeastPerMove * theirs;
        // The scan is wasted too where even the least gain now would leave it above alpha.
        const bool scan = mine <= 2 && depth > 1 && kLeastPerMove + afterMost <= alpha;
        const int next = scan ? BestGainNow() : kMostPerMove;
        most = next + afterMost;
        if (most <= alpha)
            return most;
    }

    // The last ply looked at: the move that scores most at once, with nothing to play.
    if (depth == 1)
        return BestGainNow();
    if (depth == 2 && m_limits.toTheEnd && m_board.ShadesUnique())
        return LastTwoPlies(alpha, beta);
    const std::uint64_t key = m_board.Key();
    const TranspositionTable::Entry entry = m_table.Probe(key);
    Move first;
    // At the root's children a move that takes nothing, remembered from a shorter look,
    // misleads as often as not, and a miss there costs much: it takes its turn in the look
    // below with the others.
    const bool rootChild = m_limits.toTheEnd && depth == plies && plies == m_rootPlies - 1;
    if (entry.depth > 0 && !(rootChild && entry.depth != depth && MoveGain(m_board, Move{entry.from, entry.to}) < 0)) {
        first = Move{entry.from, entry.to};
        // A deeper result would do for Hard, but Expert takes only one of the very depth
        // asked for: then every pass gives the same values whatever the table holds, which
        // keeps its moves the same with threads that fill the table in their own time.
        if (entry.depth == depth || (entry.depth > depth && !m_limits.toTheEnd)) {
            const int value = entry.value;
            if (entry.bound == TranspositionTable::kExact || (entry.bound == TranspositionTable::kLower && value >= beta) ||
                (entry.bound == TranspositionTable::kUpper && value <= alpha))
                return value;
        }
    }

    const int alphaBefore = alpha;
    int best = -kInfinity;
    Move bestMove;
    int tried = 0;
    // True when the move cuts the rest off.
    const auto consider = [&](const Move& move, int gain) {
        // A move that cannot reach alpha whatever follows need not be played: its ceiling
        // stands in for its value, which keeps the result a true bound.
        const int ceiling = gain + afterMost;
        if (ceiling <= alpha) {
            best = std::max(best, ceiling);
            return false;
        }
        const int value = Tried(side, move, gain, depth - 1, alpha, beta, tried++ == 0);
        if (m_stopped)
            return true;
        if (value > best) {
            best = value;
            bestMove = move;
            if (value > alpha) {
                alpha = value;
                if (alpha >= beta) {
                    History(move) += depth * depth;
                    return true;
                }
            }
        }
        return best >= most;
    };
    // The move that was best here before is tried before the others are even listed: it
    // often settles the position alone.
    const auto cutsAmong = [&](Ordered& list, bool quietOnly) {
        // The other side's answer counts only when it moves next. Hard's budget is spent as
        // it was measured.
        if (quietOnly && m_limits.toTheEnd && plies >= m_rootPlies - kQuietOrderPlies && m_board.MovesLeft(OtherSide(side)) > 0) {
            OrderQuiet(list, first);
            // At the root's children a move tried in vain costs a large share of the whole
            // search: the moves are looked at a few plies deep first.
            if (rootChild && !Probe(list, alpha, beta))
                return true;
        } else {
            Order(list);
        }
        for (int i = 0; i < list.count; ++i) {
            PickNext(list, i);
            if (!(list.moves[i] == first) && !(quietOnly && list.gains[i] > 0) && consider(list.moves[i], list.gains[i]))
                return true;
        }
        return false;
    };
    if (first.IsNone() || !consider(first, MoveGain(m_board, first))) {
        Ordered& list = m_lists[plies];
        // The captures are found without listing every move, and often settle it; when
        // they do not, a move that takes nothing may still be unable to reach alpha.
        const bool capturesFirst = m_board.ShadesUnique();
        bool settled = false;
        if (capturesFirst) {
            list.count = 0;
            ForEachCapture(side, [&list](const Move& move, int) {
                if (std::find(list.moves, list.moves + list.count, move) == list.moves + list.count)
                    list.moves[list.count++] = move;
                return true;
            });
            settled = cutsAmong(list, false);
            if (!settled && kLeastPerMove + afterMost <= alpha) {
                best = std::max(best, kLeastPerMove + afterMost);
                settled = true;
            }
        }
        if (!settled) {
            list.count = LegalMoves(m_board, list.moves);
            cutsAmong(list, capturesFirst);
        }
    }
    if (m_stopped || best == -kInfinity)
        return 0;
    // Every move was below alpha before it was played: nothing to keep for next time.
    if (bestMove.IsNone())
        return best;
    TranspositionTable::Entry result;
    result.value = static_cast<std::int16_t>(best);
    result.depth = static_cast<std::uint8_t>(depth);
    result.bound = best <= alphaBefore ? TranspositionTable::kUpper
                   : best >= beta      ? TranspositionTable::kLower
                                       : TranspositionTable::kExact;
    result.from = static_cast<std::uint8_t>(bestMove.from);
    result.to = static_cast<std::uint8_t>(bestMove.to);
    m_table.Store(key, result);
    return best;
}

int Search::Solve()
{
    m_deadline = std::chrono::steady_clock::time_point::max();
    m_limits.nodes = 0;
    return Negamax(kInfinity, -kInfinity, kInfinity);
}

int ExactValue(const GameState& state, TranspositionTable& table)
{
    return Search(state, SearchLimits{}, table).Solve();
}

int ExactValueOf(const GameState& state, const Move& move, TranspositionTable& table)
{
    GameState after = state;
    const int gain = MoveGain(after, move);
    PlayMove(after, move);
    const int rest = ExactValue(after, table);
    return gain + (after.m_nSide == state.m_nSide ? rest : -rest);
}

int Search::ShareOut(const int (&gains)[kMaxMoves], int depth, int& alpha)
{
    RootSplit& split = *m_split;
    {
        const std::lock_guard lock(split.m_lock);
        std::copy(m_root, m_root + m_rootCount, split.m_moves);
        std::copy(gains, gains + m_rootCount, split.m_gains);
        split.m_count = m_rootCount;
        split.m_depth = depth;
        split.m_deadline = m_deadline;
        split.m_bestValue = alpha;
        split.m_bestIndex = 0;
        split.m_settled = 1;
        split.m_next = 1;
    }
    split.m_open.store(true, std::memory_order_release);
    split.lazyDone = true;
    TakeShare(split);
    // The others' last moves, still minding the time and the stop.
    std::unique_lock lock(split.m_lock);
    while (split.m_settled < split.m_count) {
        split.m_changed.wait_for(lock, std::chrono::milliseconds(2));
        const bool late = std::chrono::steady_clock::now() >= m_deadline;
        if (!m_stopped && (late || (m_stop != nullptr && m_stop->load(std::memory_order_relaxed)))) {
            m_stopped = true;
            m_report.outOfTime = late;
            split.stop = true;
        }
    }
    if (split.m_cutShort && !m_stopped) {
        m_stopped = true;
        m_report.outOfTime = std::chrono::steady_clock::now() >= m_deadline;
    }
    alpha = split.m_bestValue;
    return split.m_bestIndex;
}

void Search::TakeShare(RootSplit& split)
{
    if (!split.m_open.load(std::memory_order_acquire))
        return;
    m_deadline = split.m_deadline;
    for (int i = split.m_next++; i < split.m_count; i = split.m_next++) {
        int value = 0;
        int atLeast = -kInfinity;
        if (!Expired())
            value = TriedAtRoot(split.m_moves[i], split.m_gains[i], split.m_depth - 1, split.Threshold(i), false, atLeast);
        if (m_stopped) {
            split.stop = true;
            split.CutShort(i, atLeast);
        } else {
            split.Offer(i, value);
        }
    }
}

Move Search::Run()
{
    m_deadline = std::chrono::steady_clock::now() + m_limits.time;
    if (m_rootCount == 0)
        return Move{};
    // Within a pass the immediate score orders the root moves at first; across passes the
    // best of the last pass goes first, so a pass cut short has still looked at it.
    std::stable_sort(m_root, m_root + m_rootCount, [&](const Move& a, const Move& b) {
        return MoveGain(m_board, a) > MoveGain(m_board, b);
    });
    int gains[kMaxMoves];
    for (int i = 0; i < m_rootCount; ++i)
        gains[i] = MoveGain(m_board, m_root[i]);
    const int plies = m_board.PliesLeft();
    for (int depth = 1; depth <= plies; depth = m_limits.toTheEnd && depth >= kShallowPasses && depth < plies ? plies : depth + 1) {
        int alpha = -kInfinity;
        int passBest = -1;
        // The pass to the end is the one worth sharing out, once its first move has set
        // the value the others must beat.
        const bool share = m_split != nullptr && depth == plies && m_rootCount > 1;
        for (int i = 0; i < (share ? 1 : m_rootCount); ++i) {
            if (Expired())
                break;
            int atLeast;
            const int value = TriedAtRoot(m_root[i], gains[i], depth - 1, alpha, i == 0, atLeast);
            if (m_stopped) {
                // Out of time, a move shown better than the best so far is the one to play.
                if (atLeast > alpha)
                    passBest = i;
                break;
            }
            if (value > alpha) {
                alpha = value;
                passBest = i;
            }
        }
        if (share && passBest == 0 && !m_stopped)
            passBest = ShareOut(gains, depth, alpha);
        if (passBest >= 0) {
            std::rotate(m_root, m_root + passBest, m_root + passBest + 1);
            std::rotate(gains, gains + passBest, gains + passBest + 1);
        }
        if (m_stopped)
            break;
        m_report.depth = depth;
        m_report.value = alpha;
        m_report.exact = depth == plies;
    }
    return m_root[0];
}

} // namespace vexadra::ai
