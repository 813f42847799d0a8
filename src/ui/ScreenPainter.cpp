#include "ui/ScreenPainter.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "i18n/Translate.h"
#include "ui/TextLayout.h"

namespace vexadra {

namespace {

constexpr ColorRef kWhite = RGB(255, 255, 255);
constexpr ColorRef kPaper = RGB(255, 255, 192);
constexpr ColorRef kTextBlack = RGB(0, 0, 0);
constexpr ColorRef kScoreColor = RGB(192, 0, 0);
constexpr ColorRef kMovesColor = RGB(0, 192, 0);
constexpr ColorRef kGameRoundColor = RGB(0, 0, 192);
// The keyboard's marks: thin white and black rings side by side, so that one of the two
// stands out on every colour and on an empty square. The frame runs along the square's
// edge; the pick-up mark is a smaller ring further in, clear of the colour number.
constexpr int kMarkRingDivisor = 60;   // ring width: the square's width over this, at least 2
constexpr int kPickInsetDivisor = 5;   // the pick-up mark's inset: the square's width over this

// Each character of the text once, in the order they first come, on one line: measured,
// it takes in the advance of every glyph the text uses at a fraction of the text's cost.
std::string EachCharacterOnce(std::string_view text)
{
    std::string sample;
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string_view character = text.substr(i, length);
        if (character != "\n" && seen.insert(character).second)
            sample += character;
        i += length;
    }
    return sample;
}

} // namespace

ScreenPainter::ScreenPainter(VexadraGame& game, std::string version)
    : m_game(game), m_strText(BuildInstructionTexts()), m_strInstructions(ComposeInstructionsPage(m_strText[0])),
      m_pageKey(TextKey(m_strInstructions)), m_strPageSample(EachCharacterOnce(m_strInstructions)),
      m_strVersion(std::move(version))
{
}

void ScreenPainter::SetCanvas(Canvas* canvas)
{
    m_canvas = canvas;
    if (m_canvas != nullptr && m_bLaidOut)
        LayOut(Size{m_geometry.m_rcClient.right, m_geometry.m_rcClient.bottom});
}

void ScreenPainter::SetPresenter(std::function<void()> present) { m_present = std::move(present); }

ScreenPainter::PaintResult ScreenPainter::OnDraw(Size client, std::time_t now)
{
    GameState& s = m_game.State();
    const Canvas& canvas = *m_canvas;
    ResolveBlackReference(s, [&canvas](ColorRef c) { return canvas.NearestColor(c); });

    TitleTexts titles = BuildTitleTexts(now, m_strVersion);
    m_strDateTime = std::move(titles.m_strDateTime);
    m_strTitle = std::move(titles.m_strTitle);
    m_strBanner = std::move(titles.m_strBanner);

    if (!s.m_bDealt) {
        if (IsClientTooSmall(client.cx, client.cy))
            return PaintResult::TooSmall;
        LayOut(client);
        ResolveGameColors(s, [&canvas](ColorRef c) { return canvas.NearestColor(c); });
        m_game.DealRound();
        s.m_bDealt = true;
    } else {
        // A new size is laid out afresh rather than ending the run; the window never
        // lets itself shrink below the minimum, and a smaller area keeps the minimum layout.
        const Size laidOut{std::max(client.cx, kMinClientWidth), std::max(client.cy, kMinClientHeight)};
        if (!m_bLaidOut || laidOut != Size{m_geometry.m_rcClient.right, m_geometry.m_rcClient.bottom})
            LayOut(laidOut);
    }

    if (s.m_bInstructions) {
        DrawInstructionsPage();
        return PaintResult::Drawn;
    }
    ClearClient();
    FillSquares();
    DrawArrow(s.m_nSide);
    DrawScoreBox(0);
    DrawScoreBox(1);
    DrawMovesBox(0);
    DrawMovesBox(1);
    DrawGameRoundBox();
    DrawHelpLines();
    DrawHint();
    if (s.m_bNumbers)
        DrawNumbers();
    DrawKeyMarks();
    return PaintResult::Drawn;
}

void ScreenPainter::LayOut(Size client)
{
    GameState& s = m_game.State();
    m_geometry = ComputeGeometry(client.cx, client.cy);
    s.m_rcClient = m_geometry.m_rcClient;
    s.m_rcDealClient = m_geometry.m_rcClient;
    std::copy(std::begin(m_geometry.m_rcSquare), std::end(m_geometry.m_rcSquare), s.m_rcSquare);

    const int uy = m_geometry.m_nUnitY;
    m_fontNumber = NumberFace((7 * uy) / 4);
    FitInstructionsFont();
    const PanelFonts panel = FitPanelFonts(*m_canvas, m_geometry, m_nInstrFontHeight);
    m_fontLabel = panel.label;
    m_fontHint = panel.hint;
    m_fontHelp = panel.help;
    m_fontFigures = panel.figures;
    WrapHelpLines();
    m_bLaidOut = true;
}

Rect ScreenPainter::InsetByCharW() const
{
    const Size w = m_canvas->TextExtent("W");
    const Rect& c = m_geometry.m_rcClient;
    return Rect{c.left + w.cx, c.top + w.cy, c.right - w.cx, c.bottom - w.cy};
}

void ScreenPainter::FitInstructionsFont()
{
    const Size client{m_geometry.m_rcClient.Width(), m_geometry.m_rcClient.Height()};
    int height = RememberedInstructionsFont(client);
    if (height == 0) {
        height = SearchInstructionsFont();
        if (m_memo != nullptr) {
            m_canvas->SelectFont(BoldArial(height));
            m_memo->RememberFit(client, m_pageKey, RememberedFit{height, m_canvas->TextExtent(m_strPageSample)});
        }
    }
    m_nInstrFontHeight = height;
    m_fontText = BoldArial(height);
    m_canvas->SelectFont(m_fontText);
    m_rcInstructions = InsetByCharW();
    // Broken into lines only when the page is first shown: the game screen never needs them.
    m_pageLines.clear();
    m_bPageWrapped = false;
}

int ScreenPainter::RememberedInstructionsFont(Size client)
{
    const RememberedFit* known = m_memo != nullptr ? m_memo->FindFit(client, m_pageKey) : nullptr;
    const int start = StartingInstructionsFont();
    if (known == nullptr || known->fontHeight > start || (start - known->fontHeight) % 2 != 0 ||
        known->fontHeight < std::min(start, kMinFontHeight))
        return 0;
    m_canvas->SelectFont(BoldArial(known->fontHeight));
    return m_canvas->TextExtent(m_strPageSample) == known->sampleExtent ? known->fontHeight : 0;
}

int ScreenPainter::SearchInstructionsFont()
{
    // The font is the largest of the starting height, two pixels less, four less, ...
    // (down to the smallest) that fits the page.
    const int start = StartingInstructionsFont();
    m_canvas->SelectFont(BoldArial(start));
    // The page is fitted into the inset of the starting font; the final, smaller font
    // has a smaller "W" and so a wider page, which can only take fewer lines.
    const Rect fit = InsetByCharW();
    const auto needs = [&](int height) {
        m_canvas->SelectFont(BoldArial(height));
        return MeasureWrapped(*m_canvas, m_strInstructions, fit.Width());
    };
    int height = start;
    if (const int needed = needs(start); needed > fit.Height() && start - 2 >= kMinFontHeight) {
        // A larger font only ever takes more lines, each higher, so whether a height fits
        // changes once along the heights. The page's height goes about with the square of
        // the font's: start looking there rather than trying every height from the top,
        // each try being a new font and a whole page to break into lines.
        const double scale = fit.Height() > 0 ? std::sqrt(static_cast<double>(fit.Height()) / needed) : 0.0;
        height = std::clamp(start - 2 * static_cast<int>(std::ceil((start - start * scale) / 2)),
                            start - 2 - (start - 2 - kMinFontHeight) / 2 * 2, start - 2);
        if (needs(height) <= fit.Height()) {
            while (height + 2 < start && needs(height + 2) <= fit.Height())
                height += 2;
        } else {
            while (height - 2 >= kMinFontHeight && needs(height - 2) > fit.Height())
                height -= 2;
            if (height - 2 >= kMinFontHeight)
                height -= 2;
        }
    }
    return height;
}

void ScreenPainter::WrapHelpLines()
{
    m_canvas->SelectFont(m_fontHelp);
    m_helpLines[0] = WrapLines(*m_canvas, Tr(kHelpLines), m_geometry.m_rcHelp.Width());
    m_helpLines[1] = WrapLines(*m_canvas, Tr(kHelpLinesWithEnd), m_geometry.m_rcHelp.Width());
}

void ScreenPainter::FillSquare(int n, const Brush& brush)
{
    if (!CanDraw())
        return;
    m_canvas->FillRect(m_geometry.m_rcSquare[n], brush.color);
}

void ScreenPainter::FillSquares()
{
    if (!CanDraw())
        return;
    const GameState& s = m_game.State();
    for (int n = 0; n < kSquares; ++n)
        m_canvas->FillRect(m_geometry.m_rcSquare[n], s.ShownColorOf(n));
}

void ScreenPainter::ClearClient()
{
    if (!CanDraw())
        return;
    m_canvas->FillRect(m_geometry.m_rcClient, kWhite);
}

void ScreenPainter::DrawSquareNumber(int n, int number)
{
    if (!CanDraw())
        return;
    if (number <= 0)
        return;
    m_canvas->SelectFont(m_fontNumber);
    DrawCentered(*m_canvas, FormatNumber(number), m_geometry.m_rcSquare[n], kTextBlack);
}

void ScreenPainter::RedrawSquare(int n)
{
    const GameState& s = m_game.State();
    if (!CanDraw() || s.m_bInstructions)
        return;
    const Rect& square = m_geometry.m_rcSquare[n];
    const ColorRef shown = s.ShownColorOf(n);
    m_canvas->FillRect(square, shown);
    if (s.m_bNumbers)
        DrawSquareNumber(n, ColorNumber(s, shown));
    const int width = std::max(2, square.Width() / kMarkRingDivisor);
    if (n == s.FocusSquare()) {
        DrawRing(square, width, kWhite);
        DrawRing(Rect{square.left + width, square.top + width, square.right - width, square.bottom - width}, width,
                 kTextBlack);
    }
    if (n == s.KeyPickSquare()) {
        const int inset = square.Width() / kPickInsetDivisor;
        const Rect outer{square.left + inset, square.top + inset, square.right - inset, square.bottom - inset};
        DrawRing(outer, width, kTextBlack);
        DrawRing(Rect{outer.left + width, outer.top + width, outer.right - width, outer.bottom - width}, width, kWhite);
    }
}

void ScreenPainter::DrawRing(const Rect& outer, int width, ColorRef color)
{
    m_canvas->FillRect(Rect{outer.left, outer.top, outer.right, outer.top + width}, color);
    m_canvas->FillRect(Rect{outer.left, outer.bottom - width, outer.right, outer.bottom}, color);
    m_canvas->FillRect(Rect{outer.left, outer.top + width, outer.left + width, outer.bottom - width}, color);
    m_canvas->FillRect(Rect{outer.right - width, outer.top + width, outer.right, outer.bottom - width}, color);
}

void ScreenPainter::DrawKeyMarks()
{
    const GameState& s = m_game.State();
    for (const int n : {s.FocusSquare(), s.KeyPickSquare()})
        if (n >= 0)
            RedrawSquare(n);
}

void ScreenPainter::DrawArrow(int side)
{
    if (!CanDraw())
        return;
    const int shown = side != 0 ? 1 : 0;
    m_canvas->Polygon(m_geometry.m_ptArrow[shown], 4, m_game.State().m_brBlack.color);
    m_canvas->FillRect(m_geometry.m_rcArrow[OtherSide(shown)], kWhite);
}

void ScreenPainter::DrawValueBox(const Rect& box, const std::string& value, ColorRef color)
{
    m_canvas->Rectangle(box, kBoxPenWidth, kWhite);
    m_canvas->SelectFont(m_fontFigures);
    DrawCentered(*m_canvas, value, box, color);
}

void ScreenPainter::DrawLabels(const std::string& label, const Rect (&rects)[kSides], ColorRef color)
{
    m_canvas->SelectFont(m_fontLabel);
    for (const Rect& rect : rects)
        DrawCentered(*m_canvas, label, rect, color);
}

void ScreenPainter::DrawScoreBox(int side)
{
    if (!CanDraw())
        return;
    DrawValueBox(m_geometry.m_rcScore[side], FormatNumber(m_game.State().m_nScore[side]), kScoreColor);
    DrawLabels(Tr(kScoreLabel), m_geometry.m_rcScoreLabel, kScoreColor);
}

void ScreenPainter::DrawMovesBox(int side)
{
    if (!CanDraw())
        return;
    DrawValueBox(m_geometry.m_rcMoves[side], FormatNumber(m_game.State().m_nMovesLeft[side]), kMovesColor);
    DrawLabels(Tr(kMovesLabel), m_geometry.m_rcMovesLabel, kMovesColor);
}

void ScreenPainter::DrawGameRoundBox()
{
    if (!CanDraw())
        return;
    const std::string text = FormatNumber(m_game.GameNumber()) + "/" + FormatNumber(m_game.State().m_nRound);
    DrawValueBox(m_geometry.m_rcGameRound, text, kGameRoundColor);
    m_canvas->SelectFont(m_fontLabel);
    DrawCentered(*m_canvas, Tr(kGameRoundLabel), m_geometry.m_rcGameRoundLabel, kGameRoundColor);
}

void ScreenPainter::DrawHelpLines()
{
    if (!CanDraw())
        return;
    m_canvas->FillRect(m_geometry.m_rcHelp, kWhite);
    m_canvas->SelectFont(m_fontHelp);
    const bool offerEnd = !m_game.State().m_bInstructions && m_game.EndGameAllowed();
    DrawLines(*m_canvas, m_helpLines[offerEnd ? 1 : 0], m_geometry.m_rcHelp, kGameRoundColor);
}

void ScreenPainter::DrawHint()
{
    if (!CanDraw())
        return;
    m_canvas->FillRect(m_geometry.m_rcHint, kWhite);
    m_canvas->SelectFont(m_fontHint);
    DrawLeftCentered(*m_canvas, Tr(kHintText), m_geometry.m_rcHint, kTextBlack);
}

void ScreenPainter::DrawNumbers()
{
    if (!CanDraw())
        return;
    const GameState& s = m_game.State();
    for (int n = 0; n < kSquares; ++n)
        DrawSquareNumber(n, ColorNumber(s, s.ShownColorOf(n)));
}

void ScreenPainter::DrawInstructionsPage()
{
    if (!CanDraw())
        return;
    m_canvas->FillRect(m_geometry.m_rcClient, kPaper);
    m_canvas->SelectFont(m_fontText);
    if (!m_bPageWrapped) {
        m_pageLines = WrapLines(*m_canvas, m_strInstructions, m_rcInstructions.Width());
        m_bPageWrapped = true;
    }
    DrawLines(*m_canvas, m_pageLines, m_rcInstructions, kTextBlack);
}

void ScreenPainter::Present()
{
    if (m_present)
        m_present();
}

} // namespace vexadra
