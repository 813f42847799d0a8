// The real printout drawn by the toolkit onto an off-screen A4 page at 300 pixels per
// inch, then read back: pixels for the margins and the lines, OCR for the words. Needs
// a display (run under xvfb-run); leaves each page behind as PNG, full size and small.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "ui/print/InstructionsPrintout.h"

namespace vexadra {
namespace {

constexpr Size kA4At300{2480, 3508};
const std::string kBanner = "Vexadra - Made by Larchfield Pocket Games, 2008 -- 10/22/08 14:03:55 -- Version D604";

struct PrintedPage {
    wxImage image;
    Rect block;
    int fontHeight = 0;

    bool Ink(int x, int y) const
    {
        return image.GetRed(x, y) != 255 || image.GetGreen(x, y) != 255 || image.GetBlue(x, y) != 255;
    }
    bool RowHasInk(int y) const
    {
        for (int x = 0; x < image.GetWidth(); ++x)
            if (Ink(x, y))
                return true;
        return false;
    }
    // The runs of rows that carry ink: one for each printed line.
    std::vector<std::pair<int, int>> InkBands() const
    {
        std::vector<std::pair<int, int>> bands;
        for (int y = 0; y < image.GetHeight(); ++y)
            if (RowHasInk(y)) {
                if (!bands.empty() && bands.back().second == y)
                    bands.back().second = y + 1;
                else
                    bands.emplace_back(y, y + 1);
            }
        return bands;
    }
};

// The printout as the print procedure drives it, with a white memory page for a printer.
PrintedPage Print(const std::string& banner, Size size, const std::string& name)
{
    PrintedPage page;
    wxBitmap bitmap(size.cx, size.cy, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        InstructionsPrintout printout(banner);
        int minPage = 0, maxPage = 0, from = 0, to = 0;
        printout.GetPageInfo(&minPage, &maxPage, &from, &to);
        EXPECT_EQ((std::array<int, 4>{minPage, maxPage, from, to}), (std::array<int, 4>{1, 1, 1, 1}));
        EXPECT_TRUE(printout.HasPage(1));
        EXPECT_FALSE(printout.HasPage(2));
        printout.SetDC(&dc);
        printout.SetPageSizePixels(size.cx, size.cy);
        EXPECT_TRUE(printout.OnPrintPage(1));
        page.block = printout.Page().TextBlock();
        page.fontHeight = printout.Page().FontHeight();
        dc.SelectObject(wxNullBitmap);
    }
    page.image = bitmap.ConvertToImage();
    page.image.SaveFile(name + ".png", wxBITMAP_TYPE_PNG);
    page.image.Scale(size.cx / 4, size.cy / 4, wxIMAGE_QUALITY_HIGH).SaveFile(name + "-small.png", wxBITMAP_TYPE_PNG);
    return page;
}

bool HaveTesseract() { return std::system("command -v tesseract >/dev/null 2>&1") == 0; }

// The letters and digits tesseract reads in one line of the page; dashes and spaces are
// where OCR guesses most, so they are left out of the comparison.
std::string ReadLine(const PrintedPage& page, int top, int bottom, const std::string& name)
{
    const int pad = page.fontHeight / 4;
    const wxRect area(page.block.left - pad, top - pad, page.block.Width() + 2 * pad, bottom - top + 2 * pad);
    const std::string file = name + ".png";
    page.image.GetSubImage(area).SaveFile(file, wxBITMAP_TYPE_PNG);
    std::string out;
    if (FILE* pipe = popen(("tesseract " + file + " stdout --psm 7 2>/dev/null").c_str(), "r")) {
        for (int c; (c = std::fgetc(pipe)) != EOF;)
            if (std::isalnum(c))
                out += static_cast<char>(c);
        pclose(pipe);
    }
    return out;
}

void ExpectMarginsWhite(const PrintedPage& page)
{
    int inked = 0;
    for (int y = 0; y < page.image.GetHeight(); ++y)
        for (int x = 0; x < page.image.GetWidth(); ++x) {
            const bool inBlock = x >= page.block.left && x < page.block.right && y >= page.block.top && y < page.block.bottom;
            if (!inBlock && page.Ink(x, y) && ++inked <= 5)
                ADD_FAILURE() << "ink in the margin at " << x << "," << y;
        }
    EXPECT_EQ(inked, 0);
}

TEST(PrintedInstructions, BannerOnTopInsideWhiteMargins)
{
    const PrintedPage page = Print(kBanner, kA4At300, "print-a4");
    ASSERT_EQ(page.block, (Rect{124, 175, 2356, 3332}));
    ASSERT_EQ(page.fontHeight, 70);
    ExpectMarginsWhite(page);

    const auto bands = page.InkBands();
    ASSERT_GE(bands.size(), 20u);
    std::printf("[ info     ] %zu lines printed, the last ending at row %d of %d\n", bands.size(), bands.back().second,
                page.block.bottom);
    // The first line starts at the block's top-left corner: its letters stand within the
    // first line's cell and begin at the left edge.
    EXPECT_LT(bands.front().first, page.block.top + page.fontHeight / 3);
    EXPECT_LE(bands.front().second, page.block.top + page.fontHeight);
    int firstInk = page.block.right;
    for (int y = bands.front().first; y < bands.front().second; ++y)
        for (int x = page.block.left; x < firstInk; ++x)
            if (page.Ink(x, y))
                firstInk = x;
    EXPECT_LT(firstInk, page.block.left + page.fontHeight / 8);

    if (!HaveTesseract())
        GTEST_SKIP() << "tesseract is not installed: the words were not read";
    const std::string first = ReadLine(page, bands.front().first, bands.front().second, "print-a4-line1");
    EXPECT_EQ(first.rfind("VexadraMadebyLarchfieldPocketGames2008", 0), 0u) << first;
    const std::string last = ReadLine(page, bands.back().first, bands.back().second, "print-a4-last");
    EXPECT_NE(last.find("larchfieldexamplegames"), std::string::npos) << last;
}

TEST(PrintedInstructions, OnlyFortyFiveLinesReachThePaper)
{
    std::string banner = "Vexadra - line 1";
    for (int i = 2; i <= 60; ++i)
        banner += "\nline " + std::to_string(i);
    const PrintedPage page = Print(banner, kA4At300, "print-overflow");
    ExpectMarginsWhite(page);
    const auto bands = page.InkBands();
    ASSERT_EQ(bands.size(), 45u);
    EXPECT_LE(bands.back().second, page.block.top + 45 * page.fontHeight);

    if (!HaveTesseract())
        GTEST_SKIP() << "tesseract is not installed: the words were not read";
    EXPECT_EQ(ReadLine(page, bands.back().first, bands.back().second, "print-overflow-last"), "line45");
}

} // namespace
} // namespace vexadra
