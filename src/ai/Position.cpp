#include "ai/Position.h"

#include <utility>
#include <vector>

#include "game/MoveRules.h"

namespace vexadra::ai {

namespace {
struct Candidate {
    int f;
    int t;
    const JumpLine* line;  // nullptr for squares that touch
};

// Every pair that the rule tables join, each once, in relative indices. A pair joined by
// more than one jump line is judged by the line the game's own test finds.
const std::vector<Candidate>& Candidates()
{
    static const std::vector<Candidate> candidates = [] {
        std::vector<Candidate> list;
        for (int f = 0; f < kBoardSquares; ++f)
            for (int t = f + 1; t < kBoardSquares; ++t) {
                if (AreAdjacent(f, t))
                    list.push_back({f, t, nullptr});
                else if (const JumpLine* line = FindJumpLine(f, t))
                    list.push_back({f, t, line});
            }
        return list;
    }();
    return candidates;
}
} // namespace

int Position::LegalMoves(Move (&moves)[kMaxMoves]) const
{
    const GameState& s = m_state;
    if (s.m_nMovesLeft[s.m_nSide] == 0)
        return 0;
    const int base = s.m_nSide == 0 ? 0 : kBoardSquares;
    int count = 0;
    for (const Candidate& c : Candidates()) {
        const int from = base + c.f;
        const int to = base + c.t;
        if (s.IsEmpty(from) || s.IsEmpty(to))
            continue;
        if (c.line != nullptr && !IsJumpClear(s, base, *c.line))
            continue;
        moves[count++] = Move{from, to};
    }
    return count;
}

int Position::Gain(const Move& move) const
{
    const GameState& s = m_state;
    const int taken = (TakesOpposite(s, OppositeSquare(move.to), s.ShownColorOf(move.from)) ? 1 : 0) +
                      (TakesOpposite(s, OppositeSquare(move.from), s.ShownColorOf(move.to)) ? 1 : 0);
    return taken > 0 ? taken * kPointsPerCapture : kPointsForNothing;
}

Position::Undo Position::Play(const Move& move)
{
    GameState& s = m_state;
    Undo undo;
    undo.move = move;
    undo.gain = Gain(move);
    // The same order as the game: the colour that came to the drop square first.
    const int opposite[2] = {OppositeSquare(move.to), OppositeSquare(move.from)};
    const ColorRef moved[2] = {s.ShownColorOf(move.from), s.ShownColorOf(move.to)};
    for (int k = 0; k < 2; ++k)
        if (TakesOpposite(s, opposite[k], moved[k])) {
            undo.taken[k] = opposite[k];
            undo.takenIndex[k] = s.m_nSquareColor[opposite[k]];
            s.m_nSquareColor[opposite[k]] = kBlackIndex;
        }
    const int side = s.m_nSide;
    s.m_nScore[side] += undo.gain;
    std::swap(s.m_nSquareColor[move.from], s.m_nSquareColor[move.to]);
    s.m_nMovesLeft[side] -= 1;
    s.m_nSide = OtherSide(side);
    return undo;
}

void Position::TakeBack(const Undo& undo)
{
    GameState& s = m_state;
    const int side = OtherSide(s.m_nSide);
    s.m_nSide = side;
    s.m_nMovesLeft[side] += 1;
    std::swap(s.m_nSquareColor[undo.move.from], s.m_nSquareColor[undo.move.to]);
    s.m_nScore[side] -= undo.gain;
    for (int k = 1; k >= 0; --k)
        if (undo.taken[k] >= 0)
            s.m_nSquareColor[undo.taken[k]] = undo.takenIndex[k];
}

} // namespace vexadra::ai
