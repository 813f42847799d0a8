// Drives the game's own handlers with a long stream of random presses, releases, keys and
// full paints (now and then at a new window size) and checks after every event that the
// game is still sound: the boards, the scores, the turn, the cues, the score history, and
// that the screen shows what the state holds: both what the game asked to be drawn and
// what the real painter drew. The painter draws on a canvas without pixels, so the run
// needs no display.
//
//   vexadra_soak [events]        (or VEXADRA_SOAK_EVENTS; default 1000000)
//   VEXADRA_SOAK_SEED=<n>        replays a run; the seed is printed at the start and on failure
//
// With a computer opponent the right side is the computer's: the timer's ticks (on a
// clock the run moves on itself) come among the person's events, and the run goes on
// until the computer has made the given number of moves.
//
//   vexadra_soak --opponent=easy|normal|hard --computer-moves=N [--budget-ms=N]

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "ai/ComputerTurn.h"
#include "ai/Position.h"
#include "game/Deal.h"
#include "game/GameScreen.h"
#include "game/Keys.h"
#include "game/Opponent.h"
#include "game/VexadraGame.h"
#include "scores/ScoreHistory.h"
#include "support/CueRecorder.h"
#include "ui/Canvas.h"
#include "ui/Geometry.h"
#include "ui/ScreenPainter.h"

namespace vexadra {
namespace {

using testing::CueRecorder;

class SoakFailure {
public:
    std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw SoakFailure{message}; }

void Require(bool ok, const char* message)
{
    if (!ok)
        Fail(message);
}

std::string Describe(const Rect& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%d, %d)-(%d, %d)", r.left, r.top, r.right, r.bottom);
    return text;
}

// The painter's canvas: draws nothing and measures text as a fixed-width face, half the
// font height per character. It remembers the colour each square was last filled with, so
// that the run sees what the painter put on the screen and not only what the game asked
// for, and it refuses a fill outside the laid-out client area.
class SoakCanvas final : public Canvas {
public:
    explicit SoakCanvas(const GameState& state) : m_state(state) {}

    ColorRef NearestColor(ColorRef wanted) const override { return wanted; }
    void FillRect(const Rect& rect, ColorRef color) override { Fill(rect, color); }
    void Rectangle(const Rect& rect, int, ColorRef fill) override { Fill(rect, fill); }
    void Polygon(const Point* points, int count, ColorRef) override
    {
        const Rect& client = m_state.m_rcClient;
        for (int i = 0; i < count; ++i)
            if (points[i].x < client.left || points[i].y < client.top || points[i].x > client.right ||
                points[i].y > client.bottom)
                Fail("a polygon reaches outside the client area");
    }
    void SelectFont(const FontSpec& font) override { m_height = font.height; }
    Size TextExtent(std::string_view text) override
    {
        return Size{static_cast<int>(text.size()) * std::max(m_height / 2, 1), m_height};
    }
    int LineHeight() override { return m_height; }
    void DrawText(std::string_view, int, int, ColorRef) override { Require(m_height > 0, "text drawn without a font"); }
    void SetClip(const Rect&) override {}
    void ResetClip() override {}

    // Empty when every square was last filled whole with the colour its state shows.
    std::string Mismatch() const
    {
        for (int n = 0; n < kSquares; ++n) {
            if (!m_whole[n])
                return "square " + std::to_string(n) + " was painted over in part";
            if (m_color[n] != m_state.ShownColorOf(n))
                return "square " + std::to_string(n) + " was painted in another colour than its index " +
                       std::to_string(m_state.m_nSquareColor[n]);
        }
        return {};
    }

private:
    void Fill(const Rect& r, ColorRef color)
    {
        const Rect& client = m_state.m_rcClient;
        if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom ||
            r.left > r.right || r.top > r.bottom)
            Fail("a fill at " + Describe(r) + " outside the client area " + Describe(client));
        for (int n = 0; n < kSquares; ++n) {
            const Rect& sq = m_state.m_rcSquare[n];
            const bool covers = r.left <= sq.left && r.top <= sq.top && r.right >= sq.right && r.bottom >= sq.bottom;
            const bool touches = r.left < sq.right && sq.left < r.right && r.top < sq.bottom && sq.top < r.bottom;
            if (covers) {
                m_color[n] = color;
                m_whole[n] = true;
            } else if (touches) {
                m_whole[n] = false;
            }
        }
    }

    const GameState& m_state;
    int m_height = 0;
    ColorRef m_color[kSquares] = {};
    bool m_whole[kSquares] = {};
};

// Remembers what each square shows, from the calls the game makes, and passes every call
// on to a further screen when one is attached (the real painter, say).
class ShadowScreen final : public GameScreen {
public:
    explicit ShadowScreen(const GameState& state) : m_state(state) {}
    void SetNext(GameScreen* next) { m_next = next; }

    void FillSquare(int n, const Brush& brush) override
    {
        Show(n, brush.color);
        if (m_next) m_next->FillSquare(n, brush);
    }
    void FillSquares() override
    {
        for (int n = 0; n < kSquares; ++n)
            Show(n, m_state.ShownColorOf(n));
        if (m_next) m_next->FillSquares();
    }
    void ClearClient() override
    {
        Cover();
        if (m_next) m_next->ClearClient();
    }
    void DrawSquareNumber(int n, int number) override
    {
        m_number[n] = number;
        if (m_next) m_next->DrawSquareNumber(n, number);
    }
    void RedrawSquare(int n) override
    {
        if (!m_state.m_bInstructions) {
            Show(n, m_state.ShownColorOf(n));
            m_number[n] = m_state.m_bNumbers ? ColorNumber(m_state, m_state.ShownColorOf(n)) : 0;
        }
        if (m_next) m_next->RedrawSquare(n);
    }
    void DrawNumbers() override
    {
        for (int n = 0; n < kSquares; ++n)
            m_number[n] = ColorNumber(m_state, m_state.ShownColorOf(n));
        if (m_next) m_next->DrawNumbers();
    }
    void DrawInstructionsPage() override
    {
        Cover();
        if (m_next) m_next->DrawInstructionsPage();
    }
    void DrawArrow(int side) override { if (m_next) m_next->DrawArrow(side); }
    void DrawScoreBox(int side) override { if (m_next) m_next->DrawScoreBox(side); }
    void DrawMovesBox(int side) override { if (m_next) m_next->DrawMovesBox(side); }
    void DrawGameRoundBox() override { if (m_next) m_next->DrawGameRoundBox(); }
    void DrawHelpLines() override { if (m_next) m_next->DrawHelpLines(); }
    void DrawHint() override { if (m_next) m_next->DrawHint(); }
    void Present() override { if (m_next) m_next->Present(); }

    // Empty when every square shows its state's colour and, with numbering on, its number.
    std::string Mismatch() const
    {
        for (int n = 0; n < kSquares; ++n) {
            const ColorRef shown = m_state.ShownColorOf(n);
            if (!m_known[n])
                return "square " + std::to_string(n) + " was never drawn";
            if (m_color[n] != shown)
                return "square " + std::to_string(n) + " shows another colour than its index " +
                       std::to_string(m_state.m_nSquareColor[n]);
            const int number = m_state.m_bNumbers ? ColorNumber(m_state, shown) : 0;
            if (m_number[n] != number)
                return "square " + std::to_string(n) + " shows number " + std::to_string(m_number[n]) + ", not " +
                       std::to_string(number);
        }
        return {};
    }

private:
    void Show(int n, ColorRef color)
    {
        m_color[n] = color;
        m_number[n] = 0;
        m_known[n] = true;
    }
    void Cover() { std::fill(std::begin(m_known), std::end(m_known), false); }

    const GameState& m_state;
    GameScreen* m_next = nullptr;
    ColorRef m_color[kSquares] = {};
    int m_number[kSquares] = {};
    bool m_known[kSquares] = {};
};

enum class EventKind { Press, Release, Key, Paint, Tick, Undo, NewGame };

struct Event {
    EventKind kind = EventKind::Key;
    Point point;
    int key = 0;
    Size client;  // Paint
    int advanceMs = 0;    // Tick: how far the clock moved since the last event
    bool paused = false;  // Tick: a dialog is up

    std::string Describe() const
    {
        switch (kind) {
        case EventKind::Press:
            return "press at (" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
        case EventKind::Release:
            return "release at (" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
        case EventKind::Paint:
            return "paint at " + std::to_string(client.cx) + "x" + std::to_string(client.cy);
        case EventKind::Tick:
            return "tick after " + std::to_string(advanceMs) + " ms" + (paused ? ", paused" : "");
        case EventKind::Undo:
            return "undo";
        case EventKind::NewGame:
            return "new game";
        case EventKind::Key:
            break;
        }
        return "key 0x" + [](int k) { char b[8]; std::snprintf(b, sizeof b, "%02X", k); return std::string(b); }(key);
    }
};

struct Stats {
    long long events = 0;
    long long moves = 0;
    long long captures = 0;
    long long rejections = 0;
    long long rounds = 0;
    long long games = 0;
    long long pages = 0;
    long long paints = 0;
    long long resizes = 0;
    long long computerMoves = 0;
    long long undos = 0;
    long long newGames = 0;
    long long passes = 0;
};

// Picks the next event, leaning towards what a player does so that most moves are legal
// and rounds and games really come to an end.
class EventSource {
public:
    // Aims at the squares where the state says they are, whoever laid them out.
    EventSource(const GameState& state, const ai::ComputerTurn& turn, std::uint64_t seed)
        : m_state(state), m_turn(turn), m_rng(seed)
    {
        for (int f = 0; f < kBoardSquares; ++f)
            for (int t = 0; t < kBoardSquares; ++t)
                if (AreAdjacent(f, t) || FindJumpLine(f, t) != nullptr)
                    m_partners[f].push_back(t);
    }

    Event Next()
    {
        const GameState& s = m_state;
        if (Chance(0.02))
            return PaintEvent();
        if (m_turn.GetOpponent() != Opponent::TwoPlayers && Chance(m_turn.HoldsTurn() ? 0.7 : 0.05))
            return TickEvent();
        if (Chance(0.015)) {
            Event e;
            e.kind = Chance(0.05) ? EventKind::NewGame : EventKind::Undo;
            return e;
        }
        const bool roundStart = s.m_nMovesLeft[0] == kMovesPerRound && s.m_nMovesLeft[1] == kMovesPerRound;
        if (s.m_bInstructions ? Chance(0.2) : Chance(roundStart ? 0.04 : 0.005))
            return KeyEvent();
        const bool press = m_lastWasPress ? Chance(0.05) : Chance(0.95);
        m_lastWasPress = press;
        Event e;
        e.kind = press ? EventKind::Press : EventKind::Release;
        e.point = press ? PressPoint() : ReleasePoint();
        return e;
    }

private:
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < p; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    // Mostly the size the window has; now and then another, smaller than the game's
    // minimum as well (the window never gets there, but the painter must cope).
    Event PaintEvent()
    {
        if (Chance(0.25))
            m_client = Size{Between(kMinClientWidth - 100, 2560), Between(kMinClientHeight - 100, 1600)};
        Event e;
        e.kind = EventKind::Paint;
        e.client = m_client;
        return e;
    }

    // Mostly the timer's pace, now and then a long stall, seldom a dialog.
    Event TickEvent()
    {
        Event e;
        e.kind = EventKind::Tick;
        e.advanceMs = Chance(0.1) ? Between(0, 2000) : Between(0, 300);
        e.paused = Chance(0.03);
        return e;
    }

    Event KeyEvent()
    {
        // Keys the game ignores (the keyboard's moves are driven by the unit tests).
        static constexpr int kOtherKeys[] = {0, 0x09, 0x2E, 0x41, 0x60, 0x72, 0x7B, 0xFF};
        Event e;
        const int pick = Below(100);
        if (m_state.m_bInstructions && pick < 60)
            e.key = VK_END;
        else if (pick < 40)
            e.key = VK_END;
        else if (pick < 55)
            e.key = VK_F1;
        else if (pick < 70)
            e.key = VK_F2;
        else if (pick < 80)
            e.key = VK_INSERT;
        else
            e.key = kOtherKeys[Below(static_cast<int>(std::size(kOtherKeys)))];
        return e;
    }

    // Strictly inside the square, anywhere.
    Point Inside(int n)
    {
        const Rect& r = m_state.m_rcSquare[n];
        return Point{Between(r.left + 1, r.right - 1), Between(r.top + 1, r.bottom - 1)};
    }

    // Borders, corners, around and outside the client area.
    Point Wild()
    {
        const Rect& r = m_state.m_rcSquare[Below(kSquares)];
        const int w = m_state.m_rcClient.Width();
        const int h = m_state.m_rcClient.Height();
        switch (Below(5)) {
        case 0:
            return Point{Chance(0.5) ? r.left : r.right, Between(r.top, r.bottom)};
        case 1:
            return Point{Between(r.left, r.right), Chance(0.5) ? r.top : r.bottom};
        case 2: {
            const Point corners[] = {{0, 0}, {w - 1, 0},   {0, h - 1},          {w - 1, h - 1},
                                     {-1, -1}, {w, h}, {r.left, r.top}, {r.right, r.bottom}};
            return corners[Below(static_cast<int>(std::size(corners)))];
        }
        default:
            return Point{Between(-40, w + 40), Between(-40, h + 40)};
        }
    }

    Point PressPoint()
    {
        const GameState& s = m_state;
        const int pick = Below(100);
        if (pick < 80) {
            const int base = s.m_nSide == 0 ? 0 : kBoardSquares;
            m_pressed = base + Below(kBoardSquares);
            for (int tries = 0; tries < 16 && s.IsEmpty(m_pressed); ++tries)
                m_pressed = base + (m_pressed + 1) % kBoardSquares;
            return Inside(m_pressed);
        }
        if (pick < 90) {
            m_pressed = Below(kSquares);
            return Inside(m_pressed);
        }
        m_pressed = -1;
        return Wild();
    }

    Point ReleasePoint()
    {
        if (m_pressed >= 0 && Chance(0.8)) {
            const int base = m_pressed < kBoardSquares ? 0 : kBoardSquares;
            const std::vector<int>& partners = m_partners[m_pressed - base];
            return Inside(base + partners[Below(static_cast<int>(partners.size()))]);
        }
        return Chance(0.5) ? Inside(Below(kSquares)) : Wild();
    }

    const GameState& m_state;
    const ai::ComputerTurn& m_turn;
    std::mt19937_64 m_rng;
    std::vector<int> m_partners[kBoardSquares];
    bool m_lastWasPress = false;
    int m_pressed = -1;
    Size m_client{kMinClientWidth, kMinClientHeight};
};

// The rules once more, straight from the tables and without the game's move function:
// what a move should do, to hold the game to it.
class RulesOracle {
public:
    // The square a point is strictly inside; -1 for none.
    static int SquareAt(const GameState& s, Point p)
    {
        for (int n = 0; n < kSquares; ++n)
            if (s.m_rcSquare[n].ContainsStrictly(p))
                return n;
        return -1;
    }

    static bool Legal(const GameState& s, int from, int to)
    {
        const int base = s.m_nSide * kBoardSquares;
        const auto own = [base](int n) { return n >= base && n < base + kBoardSquares; };
        if (s.m_nMovesLeft[s.m_nSide] == 0 || !own(from) || !own(to) || from == to || s.IsEmpty(from) ||
            s.IsEmpty(to))
            return false;
        return Joined(s.m_nSquareColor, s, base, from - base, to - base);
    }

    // The opponent's board after the move, its score change, and whether it can move then.
    struct Expected {
        int squares[kSquares];
        int delta = 0;
        bool opponentStuck = false;
    };
    static Expected Play(const GameState& s, int from, int to)
    {
        Expected e;
        std::copy(s.m_nSquareColor, s.m_nSquareColor + kSquares, e.squares);
        int taken = 0;
        if (s.ShownColorOf(OppositeSquare(to)) == s.ShownColorOf(from)) {
            e.squares[OppositeSquare(to)] = kBlackIndex;
            ++taken;
        }
        if (s.ShownColorOf(OppositeSquare(from)) == s.ShownColorOf(to)) {
            e.squares[OppositeSquare(from)] = kBlackIndex;
            ++taken;
        }
        std::swap(e.squares[from], e.squares[to]);
        e.delta = taken > 0 ? taken * 8 : -1;
        const int base = OtherSide(s.m_nSide) * kBoardSquares;
        e.opponentStuck = true;
        for (int f = 0; f < kBoardSquares && e.opponentStuck; ++f)
            for (int t = 0; t < kBoardSquares && e.opponentStuck; ++t)
                if (f != t && Coloured(e.squares, s, base + f) && Coloured(e.squares, s, base + t) &&
                    Joined(e.squares, s, base, f, t))
                    e.opponentStuck = false;
        return e;
    }

private:
    static bool Coloured(const int* squares, const GameState& s, int n)
    {
        return s.m_crShown[squares[n]] != s.BlackReference();
    }
    static bool Joined(const int* squares, const GameState& s, int base, int f, int t)
    {
        for (const AdjacentPair& p : g_adjacentPairs)
            if ((p.a == f && p.b == t) || (p.a == t && p.b == f))
                return true;
        for (const JumpLine& line : g_jumpLines) {
            if (!((line.nFrom == f && line.nTo == t) || (line.nFrom == t && line.nTo == f)))
                continue;
            bool clear = true;
            for (int k = line.nFrom + line.nStep; k < line.nTo; k += line.nStep)
                clear = clear && !Coloured(squares, s, base + k);
            return clear;  // the first line that joins the two decides
        }
        return false;
    }
};

// What Undo must bring back exactly.
struct PositionSnapshot {
    int squares[kSquares];
    int score[kSides];
    int movesLeft[kSides];
    int side;
    int round;
    explicit PositionSnapshot(const GameState& s)
        : score{s.m_nScore[0], s.m_nScore[1]}, movesLeft{s.m_nMovesLeft[0], s.m_nMovesLeft[1]}, side(s.m_nSide),
          round(s.m_nRound)
    {
        std::copy(s.m_nSquareColor, s.m_nSquareColor + kSquares, squares);
    }
    friend bool operator==(const PositionSnapshot&, const PositionSnapshot&) = default;
};

// The checks that hold after every event, given the state before it.
class Checker {
public:
    Checker(const VexadraGame& game, const ai::ComputerTurn& turn, const ShadowScreen& screen,
            const SoakCanvas& canvas, const CueRecorder& cues, Stats& stats)
        : m_game(game), m_turn(turn), m_screen(screen), m_canvas(canvas), m_cues(cues), m_stats(stats)
    {
    }

    // heldTurn: the computer held the turn before the event; step: what a tick did.
    void Check(const Event& e, const GameState& before, int gameCountBefore, int scoresShown, bool heldTurn,
               ai::ComputerTurn::Step step)
    {
        const GameState& s = m_game.State();
        const ScoreHistory& h = m_game.History();
        CheckBoards(s);
        for (int side = 0; side < kSides; ++side)
            Require(s.m_nMovesLeft[side] >= 0 && s.m_nMovesLeft[side] <= kMovesPerRound, "moves left out of range");
        Require(s.m_nSide == 0 || s.m_nSide == 1, "no active side");

        const bool roundEnded = s.m_nRound == before.m_nRound + 1;
        const int movesBefore = before.m_nMovesLeft[0] + before.m_nMovesLeft[1];
        const int movesAfter = s.m_nMovesLeft[0] + s.m_nMovesLeft[1];
        const bool moved = roundEnded || (s.m_nRound == before.m_nRound && movesAfter == movesBefore - 1);
        const bool recorded = h.m_nGameCount != gameCountBefore;

        if ((step == ai::ComputerTurn::Step::Moved) != (moved && e.kind == EventKind::Tick))
            Fail("the computer's move and the tick disagree: round " + std::to_string(before.m_nRound) + " -> " +
                 std::to_string(s.m_nRound) + ", moves left " + std::to_string(movesBefore) + " -> " +
                 std::to_string(movesAfter));
        if (e.kind == EventKind::Undo) {
            CheckUndo(before);
        } else if (e.kind == EventKind::NewGame) {
            Require(s.m_nRound == 1 && s.m_nScore[0] == 0 && s.m_nScore[1] == 0 && movesLeftFull(s) && s.m_nSide == 0 &&
                        !s.m_bInstructions && h.m_nGameCount == gameCountBefore && m_cues.calls.empty(),
                    "New Game did not start afresh, unrecorded and silent");
            m_snapshots.clear();
            m_lastMover = -1;
            ++m_stats.newGames;
        } else if (moved) {
            Require(e.kind == EventKind::Release || e.kind == EventKind::Tick, "a move without a release");
            if (e.kind == EventKind::Tick)
                CheckComputerMove(e, before, heldTurn, roundEnded);
            else
                Require(!heldTurn, "a person moved during the computer's turn");
            CheckMove(before, roundEnded, e.kind == EventKind::Tick ? m_turn.LastMove() : PersonsMove(e, before));
            if (m_snapshots.size() == PlayedMoves::kKept)
                m_snapshots.pop_front();
            m_snapshots.emplace_back(before);
        } else if (recorded) {
            Require(e.kind == EventKind::Key && e.key == VK_END, "a game recorded without End");
            CheckEndGame(before, gameCountBefore, scoresShown);
            m_snapshots.clear();
        } else {
            Require(!(e.kind == EventKind::Release && !heldTurn && PersonsMove(e, before).from >= 0),
                    "the game refused a legal move");
            CheckNothingMoved(e, before, scoresShown);
        }
        if (!s.m_bInstructions) {
            if (const std::string mismatch = m_screen.Mismatch(); !mismatch.empty())
                Fail("the screen does not show the state: " + mismatch);
            if (const std::string mismatch = m_canvas.Mismatch(); !mismatch.empty())
                Fail("the painter did not draw the state: " + mismatch);
        }
    }

private:
    static void CheckBoards(const GameState& s)
    {
        for (int base : {0, kBoardSquares}) {
            bool seen[kBoardSquares] = {};
            for (int n = base; n < base + kBoardSquares; ++n) {
                const int index = s.m_nSquareColor[n];
                if (index == kBlackIndex)
                    continue;
                if (index < base || index >= base + kBoardSquares)
                    Fail("square " + std::to_string(n) + " holds index " + std::to_string(index) + " of another board");
                if (seen[index - base])
                    Fail("index " + std::to_string(index) + " twice on a board");
                seen[index - base] = true;
            }
        }
    }

    // The move a person's release makes by the rules; {-1, -1} when the rules refuse it.
    static Move PersonsMove(const Event& e, const GameState& before)
    {
        if (e.kind != EventKind::Release || before.m_bInstructions || before.m_nPressState != kPressPicked)
            return Move{};
        const int to = RulesOracle::SquareAt(before, e.point);
        if (to < 0 || !RulesOracle::Legal(before, before.m_nFromSquare, to))
            return Move{};
        return Move{before.m_nFromSquare, to};
    }

    // Undo brings back the position before the newest move of the game exactly, silently.
    void CheckUndo(const GameState& before)
    {
        const GameState& s = m_game.State();
        Require(m_cues.calls.empty(), "an undo made a sound");
        if (m_snapshots.empty() || before.m_bInstructions) {
            Require(PositionSnapshot(s) == PositionSnapshot(before), "an undo with nothing to take back changed the game");
            return;
        }
        Require(PositionSnapshot(s) == m_snapshots.back(), "an undo did not bring back the position before the move");
        m_snapshots.pop_back();
        m_lastMover = -1;
        ++m_stats.undos;
    }

    // The computer moved its own side, in its turn, the move its look-ahead saw.
    void CheckComputerMove(const Event& e, const GameState& before, bool heldTurn, bool roundEnded)
    {
        Require(heldTurn && before.m_nSide == ai::kComputerSide && !e.paused && !before.m_bInstructions,
                "the computer moved out of its turn");
        const ai::Move& move = m_turn.LastMove();
        ai::Position position(before);
        const int gain = position.Gain(move);
        position.Play(move);
        const GameState& s = m_game.State();
        if (!roundEnded)
            Require(std::equal(s.m_nSquareColor, s.m_nSquareColor + kSquares, position.State().m_nSquareColor),
                    "the computer's move did not do what its look-ahead saw");
        Require(s.m_nScore[ai::kComputerSide] - before.m_nScore[ai::kComputerSide] == gain,
                "the computer's move did not score what its look-ahead saw");
        ++m_stats.computerMoves;
    }

    int Count(int nID, bool wait) const
    {
        return static_cast<int>(std::count(m_cues.calls.begin(), m_cues.calls.end(), testing::CueCall{nID, wait}));
    }

    void CheckMove(const GameState& before, bool roundEnded, const Move& move)
    {
        Require(move.from >= 0 && RulesOracle::Legal(before, move.from, move.to), "the game accepted an illegal move");
        const RulesOracle::Expected expected = RulesOracle::Play(before, move.from, move.to);
        const GameState& s = m_game.State();
        const int mover = before.m_nSide;
        const int other = OtherSide(mover);
        const int delta = s.m_nScore[mover] - before.m_nScore[mover];
        if (delta != expected.delta)
            Fail("a move scored " + std::to_string(delta) + ", not " + std::to_string(expected.delta));
        Require(s.m_nScore[other] == before.m_nScore[other], "a move changed the other side's score");

        const bool firstOfRound = movesLeftFull(before);
        if (m_lastMover >= 0)
            Require(firstOfRound ? mover == m_lastMover : mover != m_lastMover, "the movers do not alternate");
        // A side left without a legal move passes: the round ends, and that side, which
        // would have moved last, starts the next.
        const bool pass = expected.opponentStuck && before.m_nMovesLeft[other] > 0;
        m_lastMover = pass ? other : mover;
        m_stats.passes += pass ? 1 : 0;

        const bool lastOfRound =
            before.m_nMovesLeft[mover] == 1 && (before.m_nMovesLeft[other] == 0 || pass);
        Require(roundEnded == lastOfRound, "a round ended at the wrong move");
        const int takes = delta > 0 ? 1 : 0;
        Require(Count(IDR_SOUND_TAKE, lastOfRound) == takes && Count(IDR_SOUND_TAKE, !lastOfRound) == 0,
                "the capture cue is wrong");
        Require(Count(IDR_SOUND_GONG, true) == (roundEnded ? 1 : 0) && Count(IDR_SOUND_BRRR, false) == 0 &&
                    static_cast<int>(m_cues.calls.size()) == takes + (roundEnded ? 1 : 0),
                "unexpected cues with a move");

        if (roundEnded) {
            Require(movesLeftFull(s) && s.m_nSide == m_lastMover, "the next round did not start with the last mover");
            Require(std::none_of(s.m_nSquareColor, s.m_nSquareColor + kSquares,
                                 [](int index) { return index == kBlackIndex; }),
                    "an empty square after a deal");
            ++m_stats.rounds;
        } else {
            Require(s.m_nMovesLeft[mover] == before.m_nMovesLeft[mover] - 1 && s.m_nSide == (pass ? mover : other),
                    "the turn did not pass");
            Require(std::equal(s.m_nSquareColor, s.m_nSquareColor + kSquares, expected.squares),
                    "the boards are not what the move should leave");
            CheckSwapAndCaptures(before, mover, delta);
        }
        ++m_stats.moves;
        m_stats.captures += takes;
    }

    // The mover's board swapped two squares; the other board lost exactly the colours taken.
    void CheckSwapAndCaptures(const GameState& before, int mover, int delta) const
    {
        const GameState& s = m_game.State();
        const int own = mover == 0 ? 0 : kBoardSquares;
        std::vector<int> changed;
        for (int n = own; n < own + kBoardSquares; ++n)
            if (s.m_nSquareColor[n] != before.m_nSquareColor[n])
                changed.push_back(n);
        Require(changed.size() == 2 && s.m_nSquareColor[changed[0]] == before.m_nSquareColor[changed[1]] &&
                    s.m_nSquareColor[changed[1]] == before.m_nSquareColor[changed[0]],
                "a move did not swap two squares");
        const int theirs = kBoardSquares - own;
        int taken = 0;
        for (int n = theirs; n < theirs + kBoardSquares; ++n) {
            if (s.m_nSquareColor[n] == before.m_nSquareColor[n])
                continue;
            Require(s.m_nSquareColor[n] == kBlackIndex &&
                        (n == OppositeSquare(changed[0]) || n == OppositeSquare(changed[1])),
                    "a capture blacked out the wrong square");
            ++taken;
        }
        Require(taken * kPointsPerCapture == std::max(delta, 0), "the score does not match the colours taken");
    }

    void CheckEndGame(const GameState& before, int gameCountBefore, int scoresShown)
    {
        const GameState& s = m_game.State();
        const ScoreHistory& h = m_game.History();
        Require(!before.m_bInstructions && movesLeftFull(before) && (before.m_nScore[0] != 0 || before.m_nScore[1] != 0),
                "a game ended without End's precondition");
        Require(h.m_nGameCount == gameCountBefore + 1 && h.m_nLeftScore[0] == before.m_nScore[0] &&
                    h.m_nRightScore[0] == before.m_nScore[1] && h.m_nRoundsPlayed[0] == before.m_nRound - 1,
                "the recorded game is not the one played");
        Require(s.m_nScore[0] == 0 && s.m_nScore[1] == 0 && s.m_nRound == 1, "the new game did not start afresh");
        Require(std::equal(s.m_nSquareColor, s.m_nSquareColor + kSquares, before.m_nSquareColor) &&
                    s.m_nSide == before.m_nSide && movesLeftFull(s),
                "ending a game changed the board or the turn");
        Require(scoresShown == 1 && m_cues.calls.empty(), "ending a game did not just show the scores");
        CheckHistory(h);
        ++m_stats.games;
    }

    static void CheckHistory(const ScoreHistory& h)
    {
        const int count = h.m_nGameCount;
        Require(h.m_nGameNumber[0] == count, "the newest entry does not carry the game count");
        for (int i = 1; i < std::min(count, ScoreHistory::kListed + 1); ++i)
            Require(h.m_nGameNumber[i] == h.m_nGameNumber[i - 1] - 1, "the game numbers do not count down");
        for (int i = count; i < ScoreHistory::kListed; ++i)
            Require(h.m_nGameNumber[i] == 0 && h.m_nLeftScore[i] == 0 && h.m_nRightScore[i] == 0 &&
                        h.m_nRoundsPlayed[i] == 0,
                    "an unused history entry is not zero");
    }

    void CheckNothingMoved(const Event& e, const GameState& before, int scoresShown)
    {
        const GameState& s = m_game.State();
        Require(std::equal(s.m_nSquareColor, s.m_nSquareColor + kSquares, before.m_nSquareColor) &&
                    s.m_nScore[0] == before.m_nScore[0] && s.m_nScore[1] == before.m_nScore[1] &&
                    s.m_nSide == before.m_nSide && s.m_nRound == before.m_nRound &&
                    s.m_nMovesLeft[0] == before.m_nMovesLeft[0] && s.m_nMovesLeft[1] == before.m_nMovesLeft[1],
                "the position changed without a move");
        const int brrr = Count(IDR_SOUND_BRRR, false);
        Require(static_cast<int>(m_cues.calls.size()) == brrr && brrr <= 1, "unexpected cues without a move");
        m_stats.rejections += brrr;
        if (e.kind == EventKind::Paint) {
            Require(brrr == 0 && scoresShown == 0 && s.m_nPressState == before.m_nPressState &&
                        s.m_bInstructions == before.m_bInstructions && s.m_bNumbers == before.m_bNumbers,
                    "a paint changed the game");
            return;
        }
        if (e.kind != EventKind::Key) {
            // On the page a press only drops the pick-up, and a release does nothing.
            const int pressState = e.kind == EventKind::Press ? kPressNothing : before.m_nPressState;
            Require(!before.m_bInstructions || (brrr == 0 && s.m_nPressState == pressState),
                    "a click on the page did something");
            return;
        }
        Require(brrr == 0, "a key made a sound");
        const bool gameMode = !before.m_bInstructions;
        const bool endAllowed = movesLeftFull(before) && (before.m_nScore[0] != 0 || before.m_nScore[1] != 0);
        Require(!(gameMode && e.key == VK_END && endAllowed), "End did not end the game");
        const bool showsScores = gameMode && e.key == VK_F2 && m_game.History().m_nGameCount > 0;
        Require(scoresShown == (showsScores ? 1 : 0), "the scores were shown at the wrong time");
        const bool toPage = gameMode && e.key == VK_F1;
        const bool toGame = !gameMode && e.key == VK_END;
        Require(s.m_bInstructions == (toPage || (!toGame && before.m_bInstructions)), "the page came or went wrongly");
        Require(s.m_bNumbers == (before.m_bNumbers || (gameMode && e.key == VK_INSERT)), "numbering changed wrongly");
        if (toPage)
            ++m_stats.pages;
    }

    static bool movesLeftFull(const GameState& s)
    {
        return s.m_nMovesLeft[0] == kMovesPerRound && s.m_nMovesLeft[1] == kMovesPerRound;
    }

    const VexadraGame& m_game;
    const ai::ComputerTurn& m_turn;
    const ShadowScreen& m_screen;
    const SoakCanvas& m_canvas;
    const CueRecorder& m_cues;
    Stats& m_stats;
    int m_lastMover = -1;
    std::deque<PositionSnapshot> m_snapshots;  // before each move of the game in progress
};

struct RunOptions {
    long long events = 1000000;
    Opponent opponent = Opponent::TwoPlayers;
    long long computerMoves = 0;  // with an opponent: run until it has made this many
    int budgetMs = 0;             // Hard's time budget, 0 for its own
};

bool ReadOptions(int argc, char** argv, RunOptions& options)
{
    if (const char* text = std::getenv("VEXADRA_SOAK_EVENTS"))
        options.events = std::atoll(text);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&arg](const char* name) -> const char* {
            return arg.rfind(name, 0) == 0 ? arg.c_str() + std::strlen(name) : nullptr;
        };
        if (const char* name = value("--opponent=")) {
            const auto opponent = ParseOpponent(name);
            if (!opponent)
                return false;
            options.opponent = *opponent;
        } else if (const char* count = value("--computer-moves=")) {
            options.computerMoves = std::atoll(count);
        } else if (const char* budget = value("--budget-ms=")) {
            options.budgetMs = std::atoi(budget);
        } else if (arg.rfind("--", 0) == 0) {
            return false;
        } else {
            options.events = std::atoll(arg.c_str());
        }
    }
    return true;
}

std::uint64_t Seed()
{
    if (const char* text = std::getenv("VEXADRA_SOAK_SEED"))
        return std::strtoull(text, nullptr, 10);
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^ std::random_device{}();
}

int Run(const RunOptions& options, std::uint64_t seed)
{
    const bool computer = options.opponent != Opponent::TwoPlayers;
    // The events are a cap then: the run ends as soon as the computer has made its moves.
    const long long events = computer ? std::max(options.events, options.computerMoves * 50) : options.events;
    std::printf("vexadra_soak: seed %llu, %lld events, opponent %s\n", static_cast<unsigned long long>(seed), events,
                std::string(OpponentName(options.opponent)).c_str());
    std::fflush(stdout);
    const auto started = std::chrono::steady_clock::now();

    ScoreHistory history;
    SeededRandom random(static_cast<std::uint32_t>(seed));
    VexadraGame game(history, random);
    // The game draws through the shadow, which passes every call on to the painter.
    ShadowScreen screen(game.State());
    SoakCanvas canvas(game.State());
    ScreenPainter painter(game, "D604");
    painter.SetCanvas(&canvas);
    screen.SetNext(&painter);
    game.SetScreen(&screen);
    int scoresShown = 0;
    game.SetShowScores([&scoresShown] { ++scoresShown; });
    CueRecorder cues;
    ai::ComputerTurn turn(game, seed);
    if (options.budgetMs > 0)
        turn.SetLimits(ai::SearchLimits{std::chrono::milliseconds(options.budgetMs), 1LL << 40});
    turn.SetOpponent(options.opponent);
    ai::ComputerTurn::Clock::time_point now{};
    // The painter's first paint lays the screen out and deals; the shadow learns the
    // squares from one more fill.
    Size client{kMinClientWidth, kMinClientHeight};
    try {
        Require(painter.OnDraw(client, std::time(nullptr)) == ScreenPainter::PaintResult::Drawn,
                "the first paint found the client too small");
        screen.FillSquares();
    } catch (const SoakFailure& failure) {
        std::printf("vexadra_soak: FAILED at the first paint: %s\n", failure.message.c_str());
        return 1;
    }

    Stats stats;
    Checker checker(game, turn, screen, canvas, cues, stats);
    EventSource source(game.State(), turn, seed);
    for (long long i = 0; i < events && !(computer && stats.computerMoves >= options.computerMoves); ++i) {
        const Event e = source.Next();
        const GameState before = game.State();
        const int gameCountBefore = history.m_nGameCount;
        cues.calls.clear();
        scoresShown = 0;
        const bool heldTurn = turn.HoldsTurn();
        ai::ComputerTurn::Step step = ai::ComputerTurn::Step::Idle;
        try {
            // The canvas fails the run from inside a handler when the painter draws wrongly.
            switch (e.kind) {
            case EventKind::Press:
                game.OnLButtonDown(e.point);
                break;
            case EventKind::Release:
                turn.PersonRelease(e.point);
                break;
            case EventKind::Tick:
                now += std::chrono::milliseconds(e.advanceMs);
                step = turn.Tick(now, e.paused);
                break;
            case EventKind::Key:
                game.OnKeyDown(e.key);
                break;
            case EventKind::Undo:
                game.UndoMove();
                break;
            case EventKind::NewGame:
                game.NewGame();
                break;
            case EventKind::Paint:
                stats.resizes += e.client != client;
                client = e.client;
                ++stats.paints;
                Require(painter.OnDraw(client, std::time(nullptr)) == ScreenPainter::PaintResult::Drawn,
                        "a later paint found the client too small");
                break;
            }
            checker.Check(e, before, gameCountBefore, scoresShown, heldTurn, step);
        } catch (const SoakFailure& failure) {
            std::printf("vexadra_soak: FAILED at event %lld (%s): %s\nreplay with VEXADRA_SOAK_SEED=%llu\n", i,
                        e.Describe().c_str(), failure.message.c_str(), static_cast<unsigned long long>(seed));
            return 1;
        }
        ++stats.events;
    }

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("vexadra_soak: %lld events, %lld moves (%lld taking), %lld rejections, %lld rounds, %lld games "
                "recorded, %lld pages shown, %lld full paints (%lld at a new size), %lld computer moves, %lld undos, "
                "%lld new games, %lld passes, %.2f s\n",
                stats.events, stats.moves, stats.captures, stats.rejections, stats.rounds, stats.games, stats.pages,
                stats.paints, stats.resizes, stats.computerMoves, stats.undos, stats.newGames, stats.passes, seconds);
    if (computer && stats.computerMoves < options.computerMoves) {
        std::printf("vexadra_soak: FAILED: the computer made only %lld of %lld moves\n", stats.computerMoves,
                    options.computerMoves);
        return 1;
    }
    return 0;
}

} // namespace
} // namespace vexadra

int main(int argc, char** argv)
{
    vexadra::RunOptions options;
    if (!vexadra::ReadOptions(argc, argv, options)) {
        std::fputs("usage: vexadra_soak [events] [--opponent=easy|normal|hard --computer-moves=N [--budget-ms=N]]\n",
                   stderr);
        return 2;
    }
    return vexadra::Run(options, vexadra::Seed());
}
