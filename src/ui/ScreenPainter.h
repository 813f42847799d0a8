#pragma once
// Paints the game screen from the game's state onto a Canvas: the whole screen at a
// paint, single elements when the game asks. It keeps the layout and the fonts, never
// any game state.

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "game/GameScreen.h"
#include "game/VexadraGame.h"
#include "ui/Canvas.h"
#include "ui/Geometry.h"
#include "ui/LayoutMemo.h"
#include "ui/PanelFonts.h"
#include "ui/Texts.h"

namespace vexadra {

class ScreenPainter final : public GameScreen {
public:
    // version: the label the title carries after "Version".
    ScreenPainter(VexadraGame& game, std::string version);

    // Where everything is drawn: the window's off-screen image. Must be set before a
    // paint. Another canvas may measure text differently, so the layout is made again.
    void SetCanvas(Canvas* canvas);
    // What Present() calls: brings the off-screen image onto the screen now.
    void SetPresenter(std::function<void()> present);
    // Where the fitted instructions font is remembered for each client area and looked
    // up before searching; none when null.
    void SetLayoutMemo(LayoutMemo* memo) { m_memo = memo; }

    enum class PaintResult { Drawn, TooSmall };
    // A full paint into the canvas (a canvas must be set). Only a first paint finds the client area too small;
    // later ones lay the screen out again for a new size, keeping the game as it is.
    PaintResult OnDraw(Size client, std::time_t now);

    const std::string& Title() const { return m_strTitle; }
    const std::string& Banner() const { return m_strBanner; }
    const ScreenGeometry& Geometry() const { return m_geometry; }
    const Rect& InstructionsRect() const { return m_rcInstructions; }
    const std::string& InstructionsPage() const { return m_strInstructions; }
    int InstructionsFontHeight() const { return m_nInstrFontHeight; }
    const FontSpec& TextFont() const { return m_fontText; }
    const FontSpec& LabelFont() const { return m_fontLabel; }
    const FontSpec& NumberFont() const { return m_fontNumber; }
    const FontSpec& HelpFont() const { return m_fontHelp; }
    const FontSpec& HintFont() const { return m_fontHint; }
    const FontSpec& FiguresFont() const { return m_fontFigures; }

    void FillSquare(int n, const Brush& brush) override;
    void FillSquares() override;
    void ClearClient() override;
    void DrawSquareNumber(int n, int number) override;
    void RedrawSquare(int n) override;
    void DrawArrow(int side) override;
    void DrawScoreBox(int side) override;
    void DrawMovesBox(int side) override;
    void DrawGameRoundBox() override;
    void DrawHelpLines() override;
    void DrawHint() override;
    void DrawNumbers() override;
    void DrawInstructionsPage() override;
    void Present() override;

private:
    // The game may ask for an element before the first paint has laid the screen out.
    bool CanDraw() const { return m_canvas != nullptr && m_bLaidOut; }
    void LayOut(Size client);
    void FitInstructionsFont();
    // The font an earlier layout fitted to this client area, when the page's characters
    // still measure in it as they did then; 0 otherwise.
    int RememberedInstructionsFont(Size client);
    int StartingInstructionsFont() const { return (12 * m_geometry.m_nUnitY) / 4; }
    int SearchInstructionsFont();
    void WrapHelpLines();
    Rect InsetByCharW() const;
    void DrawValueBox(const Rect& box, const std::string& value, ColorRef color);
    void DrawLabels(const std::string& label, const Rect (&rects)[kSides], ColorRef color);
    void DrawRing(const Rect& outer, int width, ColorRef color);
    void DrawKeyMarks();

    VexadraGame& m_game;
    Canvas* m_canvas = nullptr;
    std::function<void()> m_present;

    bool m_bLaidOut = false;
    ScreenGeometry m_geometry;
    Rect m_rcInstructions;
    int m_nInstrFontHeight = 0;
    FontSpec m_fontText;
    FontSpec m_fontLabel;
    FontSpec m_fontNumber;
    // Come down from the written heights where a text would run past its strip.
    FontSpec m_fontHelp;
    FontSpec m_fontHint;
    FontSpec m_fontFigures;

    std::array<std::string, kTextSlots> m_strText;
    std::string m_strInstructions;
    std::uint64_t m_pageKey;  // the page's key in the memo
    std::string m_strPageSample;  // what a remembered fit is checked with
    LayoutMemo* m_memo = nullptr;
    // The page broken into lines for m_rcInstructions in m_fontText, once per layout:
    // breaking the page is by far the dearest part of drawing it.
    std::vector<std::string> m_pageLines;
    bool m_bPageWrapped = false;
    // The help lines without and with the End line, broken once per layout: a move redraws them.
    std::vector<std::string> m_helpLines[2];
    std::string m_strVersion;
    std::string m_strTitle;
    std::string m_strBanner;
    std::string m_strDateTime;
};

} // namespace vexadra
