#include "GameFixture.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace vexadra::testing {

std::string FillLine(int n, ColorRef color)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(color));
    return "FillSquare " + std::to_string(n) + " " + hex;
}

std::string CueLine(int nID, bool wait) { return (wait ? "PlayCueAndWait " : "PlayCue ") + std::to_string(nID); }

void RecordingScreen::FillSquare(int n, const Brush& brush) { m_log.push_back(FillLine(n, brush.color)); }

void RecordingScreen::DrawSquareNumber(int n, int number)
{
    m_log.push_back("DrawSquareNumber " + std::to_string(n) + " " + std::to_string(number));
}

Rect TestSquareRect(int n)
{
    const int origin = n < kBoardSquares ? 20 : 100;
    const int left = origin + 10 * ColumnOf(n);
    const int top = origin + 10 * RowOf(n);
    return Rect{left, top, left + 10, top + 10};
}

Point Centre(int n)
{
    const Rect r = TestSquareRect(n);
    return Point{r.left + 5, r.top + 5};
}

Point BorderRightOf(int n)
{
    const Rect r = TestSquareRect(n);
    return Point{r.right, r.top + 5};
}

GameTest::GameTest()
{
    GameState& s = S();
    s.m_rcClient = Rect{0, 0, 160, 160};
    for (int n = 0; n < kSquares; ++n)
        s.m_rcSquare[n] = TestSquareRect(n);
    ResolveGameColors(s, TrueColorNearest);
    ResolveBlackReference(s, TrueColorNearest);
    game.DealRound();
    s.m_bDealt = true;
    game.SetScreen(&screen);
    game.SetShowScores([this] { ++scoresShown; });
    cues.SetListener([this](const CueCall& c) { log.push_back(CueLine(c.nID, c.wait)); });
}

void GameTest::Drag(int from, int to)
{
    Press(from);
    Release(to);
}

void GameTest::Place(int square, int index)
{
    int* board = S().m_nSquareColor + (square < kBoardSquares ? 0 : kBoardSquares);
    int* holder = std::find(board, board + kBoardSquares, index);
    if (holder != board + kBoardSquares)
        *holder = S().m_nSquareColor[square];
    S().m_nSquareColor[square] = index;
}

bool GameTest::FindQuietPair(int& a, int& b) const
{
    const GameState& s = game.State();
    const int base = s.m_nSide == 0 ? 0 : kBoardSquares;
    for (const AdjacentPair& p : g_adjacentPairs) {
        a = base + p.a;
        b = base + p.b;
        if (s.IsEmpty(a) || s.IsEmpty(b))
            continue;
        if (s.ShownColorOf(b) != s.ShownColorOf(OppositeSquare(a)) &&
            s.ShownColorOf(a) != s.ShownColorOf(OppositeSquare(b)))
            return true;
    }
    return false;
}

void GameTest::QuietMove()
{
    int a = 0;
    int b = 0;
    ASSERT_TRUE(FindQuietPair(a, b)) << "no quiet move left";
    const int scoreBefore = S().m_nScore[S().m_nSide];
    const int side = S().m_nSide;
    Drag(a, b);
    ASSERT_EQ(S().m_nScore[side], scoreBefore - 1) << "move " << a << "->" << b;
}

void GameTest::QuietMoves(int count)
{
    for (int i = 0; i < count; ++i)
        ASSERT_NO_FATAL_FAILURE(QuietMove());
}

void GameTest::CapturingMove(bool both)
{
    int a = 0;
    int b = 0;
    ASSERT_TRUE(FindQuietPair(a, b));
    // After a -> b, square b shows a's colour and square a shows b's.
    const int otherBase = a < kBoardSquares ? kBoardSquares : 0;
    const auto sameColourThere = [&](int square) { return otherBase + S().m_nSquareColor[square] % kBoardSquares; };
    const int oppA = OppositeSquare(a);
    const int oppB = OppositeSquare(b);
    Place(oppB, sameColourThere(a));
    if (both) {
        Place(oppA, sameColourThere(b));
    } else if (S().ShownColorOf(oppA) == S().ShownColorOf(b)) {
        int spare = otherBase;
        while (spare == oppA || spare == oppB)
            ++spare;
        std::swap(S().m_nSquareColor[oppA], S().m_nSquareColor[spare]);
    }
    Drag(a, b);
}

void GameTest::ExpectPositionUnchanged(const GameState& before)
{
    const GameState& after = S();
    GameState expected = before;
    expected.m_brColor[kWorkBrushFrom] = after.m_brColor[kWorkBrushFrom];
    expected.m_brColor[kWorkBrushTo] = after.m_brColor[kWorkBrushTo];
    expected.m_crTo = after.m_crTo;
    expected.m_nSquare = after.m_nSquare;
    expected.m_nPressState = after.m_nPressState;  // the callers check it themselves
    EXPECT_TRUE(expected == after);
    // The same again, field by field where a failure needs explaining.
    EXPECT_TRUE(std::equal(before.m_nSquareColor, before.m_nSquareColor + kSquares, after.m_nSquareColor));
    EXPECT_EQ(before.m_nScore[before.m_nSide], after.m_nScore[before.m_nSide]);
    EXPECT_EQ(before.m_nMovesLeft[before.m_nSide], after.m_nMovesLeft[before.m_nSide]);
    EXPECT_EQ(before.m_nSide, after.m_nSide);
}

int GameTest::CountInLog(const std::string& line) const
{
    return static_cast<int>(std::count(log.begin(), log.end(), line));
}

int GameTest::FindInLog(const std::string& line, int from) const
{
    const auto it = std::find(log.begin() + from, log.end(), line);
    return it == log.end() ? -1 : static_cast<int>(it - log.begin());
}

} // namespace vexadra::testing
