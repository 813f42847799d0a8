// Draws the real screen with the wx canvas into off-screen images and reads the pixels
// back. Needs a display (run under xvfb-run); leaves a PNG of every render behind.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/translation.h>


#include "game/Deal.h"
#include "i18n/Translate.h"
#include "scores/ScoreHistory.h"
#include "ui/LayoutMemo.h"
#include "ui/ScreenPainter.h"
#include "ui/TextLayout.h"
#include "ui/WxCanvas.h"
#include "ui/print/PrintLayout.h"
#include "support/OffscreenGame.h"
#include "support/ShippedLanguage.h"

namespace vexadra {
namespace {

constexpr ColorRef kWhite = RGB(255, 255, 255);
constexpr ColorRef kBlack = RGB(0, 0, 0);
constexpr ColorRef kPaper = RGB(255, 255, 192);

ColorRef PixelAt(const wxImage& image, int x, int y)
{
    return RGB(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

std::string Hex(ColorRef c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buffer;
}

// One game drawn into one off-screen image of the given size.
class Render : public testing::OffscreenGame {
public:
    explicit Render(Size size) : OffscreenGame(size, 11) {}

    ScreenPainter::PaintResult Paint() { return m_painter.OnDraw(m_size, 1224684235); }

    // The image as drawn so far, saved as name.png in the working folder.
    wxImage Snapshot(const std::string& name)
    {
        m_dc.SelectObject(wxNullBitmap);
        wxImage image = m_bitmap.ConvertToImage();
        m_dc.SelectObject(m_bitmap);
        image.SaveFile(name + ".png", wxBITMAP_TYPE_PNG);
        return image;
    }
};

void ExpectBox(const wxImage& image, const Rect& box, const char* what)
{
    SCOPED_TRACE(what);
    for (Point p : {Point{box.left, box.top}, Point{box.left + 1, box.top + 1}, Point{box.right - 1, box.bottom - 1},
                    Point{box.right - 2, box.top + box.Height() / 2}})
        EXPECT_EQ(Hex(PixelAt(image, p.x, p.y)), Hex(kBlack)) << p.x << "," << p.y;
    for (Point p : {Point{box.left + 2, box.top + 2}, Point{box.right - 3, box.bottom - 3}, Point{box.left + 3, box.bottom - 4}})
        EXPECT_EQ(Hex(PixelAt(image, p.x, p.y)), Hex(kWhite)) << p.x << "," << p.y;
}

void ExpectGameScreen(Render& r, const std::string& name)
{
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    const wxImage image = r.Snapshot(name);
    const GameState& s = r.m_game.State();
    const ScreenGeometry& g = r.m_painter.Geometry();

    for (int n = 0; n < kSquares; ++n) {
        const Rect& sq = g.m_rcSquare[n];
        EXPECT_EQ(Hex(PixelAt(image, (sq.left + sq.right) / 2, (sq.top + sq.bottom) / 2)), Hex(s.ShownColorOf(n))) << n;
        EXPECT_EQ(Hex(PixelAt(image, sq.left + 5, sq.top + 5)), Hex(s.ShownColorOf(n))) << n;
        EXPECT_EQ(Hex(PixelAt(image, sq.left, sq.top)), Hex(s.ShownColorOf(n))) << n;
        EXPECT_EQ(Hex(PixelAt(image, sq.right - 1, sq.bottom - 1)), Hex(s.ShownColorOf(n))) << n;
    }
    for (int side = 0; side < kSides; ++side) {
        ExpectBox(image, g.m_rcScore[side], "score");
        ExpectBox(image, g.m_rcMoves[side], "moves");
    }
    ExpectBox(image, g.m_rcGameRound, "game/round");

    // The active arrow is solid dark from its tip to its notch; the other arrow's area is white.
    const int active = s.m_nSide;
    const Rect& a = g.m_rcArrow[active];
    const int xc = (a.left + a.right) / 2;
    const int yMid = (a.top + a.bottom) / 2;
    const ColorRef inside = PixelAt(image, xc, yMid);
    EXPECT_TRUE(inside == s.BlackReference() || inside == kBlack) << Hex(inside);
    const Rect& other = g.m_rcArrow[1 - active];
    for (int y = other.top; y < other.bottom; ++y)
        for (int x = other.left; x < other.right; ++x)
            ASSERT_EQ(Hex(PixelAt(image, x, y)), Hex(kWhite)) << x << "," << y;

    // Uncovered areas show the white background.
    EXPECT_EQ(Hex(PixelAt(image, r.m_size.cx - 2, 2)), Hex(kWhite));
    EXPECT_EQ(Hex(PixelAt(image, 2, r.m_size.cy - 2)), Hex(kWhite));
}

TEST(Render, GameScreenAt1024By768)
{
    Render r(Size{1024, 768});
    ExpectGameScreen(r, "render_1024x768");
}

TEST(Render, GameScreenAt800By573WithTheRightSideToMoveAndNumbersOn)
{
    Render r(Size{800, 573});
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    r.m_game.State().m_nSide = 1;
    ExpectGameScreen(r, "render_800x573");

    r.m_game.State().m_bNumbers = true;
    r.m_game.State().m_nSquareColor[5] = kBlackIndex;
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    const wxImage image = r.Snapshot("render_800x573_numbers");
    // An emptied square stays uniformly black: no number on it.
    const Rect& sq = r.m_painter.Geometry().m_rcSquare[5];
    for (int y = sq.top; y < sq.bottom; ++y)
        for (int x = sq.left; x < sq.right; ++x)
            ASSERT_EQ(Hex(PixelAt(image, x, y)), Hex(r.m_game.State().BlackReference())) << x << "," << y;
    // A coloured square carries dark number pixels near its centre.
    const Rect& sq0 = r.m_painter.Geometry().m_rcSquare[0];
    int dark = 0;
    for (int y = sq0.top + 30; y < sq0.bottom - 30; ++y)
        for (int x = sq0.left + 30; x < sq0.right - 30; ++x)
            dark += PixelAt(image, x, y) != r.m_game.State().ShownColorOf(0);
    EXPECT_GT(dark, 10);
}

TEST(Render, InstructionsPageIsOnPaperAndFits)
{
    Render r(Size{1024, 768});
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    r.m_game.State().m_bInstructions = true;
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    const wxImage image = r.Snapshot("render_instructions_1024x768");
    for (Point p : {Point{1, 1}, Point{1022, 766}, Point{512, 766}, Point{1022, 1}})
        EXPECT_EQ(Hex(PixelAt(image, p.x, p.y)), Hex(kPaper)) << p.x << "," << p.y;

    const Rect& page = r.m_painter.InstructionsRect();
    r.m_canvas.SelectFont(r.m_painter.TextFont());
    EXPECT_LE(MeasureWrapped(r.m_canvas, r.m_painter.InstructionsPage(), page.Width()), page.Height());
    // Text reaches at least into the lower half of the page: the font is not needlessly small.
    int inkRows = 0;
    for (int y = page.top + page.Height() / 2; y < page.bottom; ++y)
        for (int x = page.left; x < page.right; x += 2)
            if (PixelAt(image, x, y) != kPaper) {
                ++inkRows;
                break;
            }
    EXPECT_GT(inkRows, 20);
}

TEST(WxCanvasFonts, HeightIsTheCharacterCellAndUnknownFacesStandIn)
{
    wxBitmap bitmap(64, 64, 24);
    wxMemoryDC dc(bitmap);
    WxCanvas canvas(dc, 24);
    for (int h : {14, 16, 24, 36}) {
        canvas.SelectFont(FontSpec{"Arial", h, true});
        EXPECT_EQ(canvas.LineHeight(), h);
        canvas.SelectFont(FontSpec{"Microsoft Sans Serif", h, false});
        EXPECT_EQ(canvas.LineHeight(), h);
    }
    canvas.SelectFont(FontSpec{"No Such Face At All", 20, false});
    EXPECT_EQ(canvas.LineHeight(), 20);
    EXPECT_GT(canvas.TextExtent("W").cx, 0);
    EXPECT_EQ(canvas.CachedFontCount(), 9u);
    canvas.SelectFont(FontSpec{"Arial", 24, true});
    EXPECT_EQ(canvas.CachedFontCount(), 9u);

    // Each font comes to the size the toolkit's own font of that pixel height has.
    for (const bool bold : {true, false})
        for (int h = 3; h <= 90; ++h) {
            const FontSpec wanted{bold ? "Arial" : "Microsoft Sans Serif", h, bold};
            canvas.SelectFont(wanted);
            const wxFont reference(wxSize(0, h), wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL,
                                   bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL, false,
                                   canvas.DC().GetFont().GetFaceName());
            EXPECT_EQ(canvas.DC().GetFont().GetPointSize(), reference.GetPointSize()) << wanted.face << " " << h;
        }

    // Sizes one canvas found are taken by the next while they measure as they did; a
    // wrong one is found out and searched for again.
    LayoutMemo memo;
    WxCanvas first(dc, 24);
    first.SetLayoutMemo(&memo);
    for (const int h : {9, 17, 36})
        first.SelectFont(FontSpec{"Arial", h, true});
    const std::string face = first.DC().GetFont().GetFaceName().utf8_string();
    ASSERT_NE(memo.FindPointSize(face, true, 17), nullptr);
    const RememberedPointSize right = *memo.FindPointSize(face, true, 17);
    memo.RememberPointSize(face, true, 17, RememberedPointSize{right.points + 2, right.cell});
    WxCanvas later(dc, 24);
    later.SetLayoutMemo(&memo);
    for (const int h : {9, 17, 36}) {
        later.SelectFont(FontSpec{"Arial", h, true});
        canvas.SelectFont(FontSpec{"Arial", h, true});
        EXPECT_EQ(later.DC().GetFont().GetPointSize(), canvas.DC().GetFont().GetPointSize()) << h;
    }
    EXPECT_EQ(memo.FindPointSize(face, true, 17)->points, right.points);

    // Text is measured as the context itself measures it.
    for (const int h : {9, 17, 36})
        for (const char* text : {"", "W", "Press Insert to number each color", "Größe à l'écran, ﬁn", "  two  spaces "}) {
            canvas.SelectFont(FontSpec{"Arial", h, true});
            wxCoord w = 0;
            wxCoord hh = 0;
            dc.GetTextExtent(wxString::FromUTF8(text), &w, &hh);
            EXPECT_EQ(canvas.TextExtent(text), (Size{w, hh})) << '"' << text << "\" at " << h;
        }
}

TEST(WxCanvasColours, DepthDecidesTheShownColour)
{
    wxBitmap bitmap(8, 8, 24);
    wxMemoryDC dc(bitmap);
    WxCanvas canvas(dc, 24);
    EXPECT_EQ(canvas.NearestColor(RGB(240, 160, 100)), RGB(240, 160, 100));
    canvas.SetDisplayDepth(16);
    EXPECT_EQ(canvas.NearestColor(RGB(240, 160, 100)), RGB(239, 162, 99));
}

TEST(Render, RepeatedPaintsMakeNoNewFonts)
{
    Render r(Size{1024, 768});
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    r.m_game.State().m_bNumbers = true;
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    const std::size_t fonts = r.m_canvas.CachedFontCount();
    for (int i = 0; i < 50; ++i)
        r.Paint();
    EXPECT_EQ(r.m_canvas.CachedFontCount(), fonts);
}

// --- Every shipped language fits the smallest and a large screen, and the paper --------

// What of the game screen runs past the client area or its own strip, one entry each;
// empty when everything fits. Texts are measured in the very fonts they are drawn in.
PanelFonts FontsOf(const ScreenPainter& painter)
{
    return PanelFonts{painter.LabelFont(), painter.HintFont(), painter.HelpFont(), painter.FiguresFont()};
}

std::vector<std::string> Overruns(Canvas& canvas, const ScreenGeometry& g, const PanelFonts& fonts)
{
    std::vector<std::string> found;
    const Rect& client = g.m_rcClient;
    const auto inside = [&](const Rect& r, const char* what) {
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom || r.Width() <= 0 ||
            r.Height() <= 0)
            found.push_back(what);
    };
    for (const Rect& square : g.m_rcSquare)
        inside(square, "square");
    for (int s = 0; s < kSides; ++s) {
        inside(g.m_rcArrow[s], "arrow");
        inside(g.m_rcScoreLabel[s], "score label strip");
        inside(g.m_rcMovesLabel[s], "moves label strip");
        inside(g.m_rcScore[s], "score box");
        inside(g.m_rcMoves[s], "moves box");
    }
    inside(g.m_rcGameRoundLabel, "game/round label strip");
    inside(g.m_rcGameRound, "game/round box");
    inside(g.m_rcHelp, "help lines");
    inside(g.m_rcHint, "hint");

    const auto fits = [&](const FontSpec& font, const std::string& text, const Rect& area, bool wrapped) {
        if (!TextFits(canvas, font, text, area, wrapped))
            found.push_back(text + " at " + std::to_string(font.height));
    };
    const FontSpec& label = fonts.label;
    fits(label, Tr(kScoreLabel), g.m_rcScoreLabel[0], false);
    fits(label, Tr(kMovesLabel), g.m_rcMovesLabel[0], false);
    fits(label, Tr(kGameRoundLabel), g.m_rcGameRoundLabel, false);
    fits(fonts.hint, Tr(kHintText), g.m_rcHint, false);
    for (const char* help : {kHelpLines, kHelpLinesWithEnd})
        fits(fonts.help, Tr(help), g.m_rcHelp, true);
    const auto inOutline = [](const Rect& box) { return Rect{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2}; };
    fits(fonts.figures, "-888", inOutline(g.m_rcScore[0]), false);
    fits(fonts.figures, "88/88", inOutline(g.m_rcGameRound), false);
    fits(NumberFace((7 * g.m_nUnitY) / 4), "16", g.m_rcSquare[0], false);
    return found;
}

std::string Listed(const std::vector<std::string>& items)
{
    std::string all;
    for (const std::string& item : items)
        all.append(all.empty() ? "" : "; ").append(item);
    return all;
}

using LanguageAndSize = std::tuple<std::string, Size>;

class TranslatedRender : public ::testing::TestWithParam<LanguageAndSize> {};

TEST_P(TranslatedRender, EveryTextStaysInsideItsArea)
{
    const auto& [code, size] = GetParam();
    const Language language(code);
    ASSERT_TRUE(language.Found()) << "no catalogue for " << code;
    ASSERT_NE(Tr(kMovesLabel), kMovesLabel) << "the " << code << " catalogue is not in use";
    const std::string name = code + "_" + std::to_string(size.cx) + "x" + std::to_string(size.cy);

    Render r(size);
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    r.Snapshot("render_" + name);
    EXPECT_EQ(Listed(Overruns(r.m_canvas, r.m_painter.Geometry(), FontsOf(r.m_painter))), "");

    r.m_game.State().m_bInstructions = true;
    ASSERT_EQ(r.Paint(), ScreenPainter::PaintResult::Drawn);
    r.Snapshot("render_instructions_" + name);
    EXPECT_TRUE(TextFits(r.m_canvas, r.m_painter.TextFont(), r.m_painter.InstructionsPage(),
                         r.m_painter.InstructionsRect(), true));

    // A4 at 300 pixels per inch: the printout drops the lines that do not fit.
    const Size a4{2480, 3508};
    wxBitmap paper(a4.cx, a4.cy, 24);
    wxMemoryDC dc(paper);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    WxCanvas canvas(dc, 24);
    InstructionsPrintPage page(r.m_painter.Banner());
    page.Render(canvas, a4);
    EXPECT_TRUE(TextFits(canvas, page.Font(), page.Text(), page.TextBlock(), true)) << "printed page";
    dc.SelectObject(wxNullBitmap);
    paper.ConvertToImage().Scale(a4.cx / 4, a4.cy / 4, wxIMAGE_QUALITY_HIGH).SaveFile("print_" + code + ".png");
}

INSTANTIATE_TEST_SUITE_P(Shipped, TranslatedRender,
                         ::testing::Combine(::testing::Values("de", "fr"),
                                          ::testing::Values(Size{kMinClientWidth, kMinClientHeight}, Size{1920, 1017})),
                         [](const ::testing::TestParamInfo<LanguageAndSize>& info) {
                             return std::get<0>(info.param) + "_" + std::to_string(std::get<1>(info.param).cx);
                         });

// --- Every client area the window accepts lays out inside itself ------------------------

// Every height from the smallest to 1200 at the common screen widths (this takes in the
// maximized game areas of the desktops at 1920x1080: 1014, 1017, 1018 and the restored
// 1054), and a coarser grid over the rest up to 3840x2160.
std::vector<Size> SweptSizes()
{
    std::vector<Size> sizes;
    for (const int w : {780, 1024, 1280, 1366, 1600, 1920})
        for (int h = kMinClientHeight; h <= 1200; ++h)
            sizes.push_back(Size{w, h});
    const auto steps = [](int from, int to, int step) {
        std::vector<int> values;
        for (int v = from; v < to; v += step)
            values.push_back(v);
        values.push_back(to);
        return values;
    };
    for (const int w : steps(kMinClientWidth, 3840, 64))
        for (const int h : steps(kMinClientHeight, 2160, 60))
            sizes.push_back(Size{w, h});
    return sizes;
}

// Measures through another canvas, each text in each font once: a sweep over the sizes
// measures the same few texts over and over.
class MeasureOnce final : public Canvas {
public:
    explicit MeasureOnce(Canvas& measured) : m_measured(measured) {}
    void Forget() { m_extents.clear(); }  // another language

    ColorRef NearestColor(ColorRef wanted) const override { return m_measured.NearestColor(wanted); }
    void FillRect(const Rect&, ColorRef) override {}
    void Rectangle(const Rect&, int, ColorRef) override {}
    void Polygon(const Point*, int, ColorRef) override {}
    void SelectFont(const FontSpec& font) override { m_font = font; }
    Size TextExtent(std::string_view text) override
    {
        const auto key = std::make_tuple(m_font.face, m_font.height, std::string(text));
        const auto known = m_extents.find(key);
        if (known != m_extents.end())
            return known->second;
        m_measured.SelectFont(m_font);
        return m_extents[key] = m_measured.TextExtent(text);
    }
    int LineHeight() override
    {
        const auto key = std::make_tuple(m_font.face, m_font.height, std::string());
        if (m_lineHeights.count(key) == 0) {
            m_measured.SelectFont(m_font);
            m_lineHeights[key] = m_measured.LineHeight();
        }
        return m_lineHeights[key];
    }
    void DrawText(std::string_view, int, int, ColorRef) override {}
    void SetClip(const Rect&) override {}
    void ResetClip() override {}

private:
    Canvas& m_measured;
    FontSpec m_font;
    // Face, height and text; the faces differ in weight too.
    std::map<std::tuple<std::string, int, std::string>, Size> m_extents;
    std::map<std::tuple<std::string, int, std::string>, int> m_lineHeights;
};

// The layout alone, at each size: drawing every size would cost minutes. The text font is
// taken at its starting height, the largest the instructions fitting ever gives it.
TEST(RenderSweep, EveryAcceptedClientAreaFitsInEveryShippedLanguage)
{
    const std::vector<Size> sizes = SweptSizes();
    wxBitmap bitmap(64, 64, 24);
    wxMemoryDC dc(bitmap);
    WxCanvas wx(dc, 24);
    MeasureOnce canvas(wx);
    for (const char* code : {"en", "de", "fr"}) {
        std::optional<Language> language;
        if (std::string(code) != "en")
            language.emplace(code);
        canvas.Forget();
        int failed = 0;
        std::string first;
        for (const Size size : sizes) {
            const ScreenGeometry g = ComputeGeometry(size.cx, size.cy);
            const std::vector<std::string> over = Overruns(canvas, g, FitPanelFonts(canvas, g, 3 * g.m_nUnitY));
            if (!over.empty() && ++failed <= 12)
                first.append("\n").append(std::to_string(size.cx)).append("x").append(std::to_string(size.cy))
                    .append(": ").append(Listed(over));
        }
        EXPECT_EQ(failed, 0) << code << " of " << sizes.size() << ", first:" << first;
    }
}

} // namespace
} // namespace vexadra

