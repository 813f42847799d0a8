#include "ui/TextLayout.h"

namespace vexadra {

namespace {

// The end of the word that starts at or after pos (leading spaces skipped); pos itself
// when only spaces follow, so trailing spaces never join a line.
std::size_t NextWordEnd(std::string_view s, std::size_t pos)
{
    std::size_t end = pos;
    while (end < s.size() && s[end] == ' ')
        ++end;
    if (end == s.size())
        return pos;
    while (end < s.size() && s[end] != ' ')
        ++end;
    return end;
}

std::size_t SkipSpaces(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && s[pos] == ' ')
        ++pos;
    return pos;
}

// Where a line that starts at start probably ends: the last word within the characters
// the width takes at the width per character measured last. Only a first guess; every
// line is still decided by measuring it.
std::size_t GuessLastWord(const std::vector<std::size_t>& ends, std::size_t first, std::size_t start, int width,
                          double pixelsPerChar)
{
    const double chars = pixelsPerChar > 0 ? width / pixelsPerChar : 0;
    std::size_t word = first;
    while (word + 1 < ends.size() && static_cast<double>(ends[word + 1] - start) <= chars)
        ++word;
    return word;
}

void WrapParagraph(Canvas& canvas, std::string_view para, int width, std::vector<std::string>& lines,
                   double& pixelsPerChar)
{
    std::vector<std::size_t> ends;  // where each word of the paragraph ends
    for (std::size_t pos = 0, end; (end = NextWordEnd(para, pos)) != pos; pos = end)
        ends.push_back(end);
    if (ends.empty()) {
        lines.emplace_back();
        return;
    }
    std::size_t start = 0;
    std::size_t first = 0;  // the line's first word
    while (first < ends.size()) {
        // A line only gets wider with each word it takes, so the last word that fits is
        // found by stepping out from a guess, doubling the step, and then halving it:
        // a few measurements a line instead of one a word, which the instructions
        // page's fitting pays many times. The first word always takes the line, however
        // wide it is: that is what keeps a long word from being cut or the loop from
        // standing still.
        const auto fits = [&](std::size_t word) {
            const std::size_t length = ends[word] - start;
            const int measured = canvas.TextExtent(para.substr(start, length)).cx;
            pixelsPerChar = static_cast<double>(measured) / static_cast<double>(length);
            return measured <= width;
        };
        std::size_t good = first;
        std::size_t bad = ends.size();
        const std::size_t guess = GuessLastWord(ends, first, start, width, pixelsPerChar);
        if (guess > first && !fits(guess)) {
            bad = guess;
            for (std::size_t step = 1; step < bad - good; step *= 2) {
                if (fits(bad - step)) {
                    good = bad - step;
                    break;
                }
                bad -= step;
            }
        } else {
            good = guess;
            for (std::size_t step = 1; good + step < bad; step *= 2) {
                if (!fits(good + step)) {
                    bad = good + step;
                    break;
                }
                good += step;
            }
        }
        while (bad - good > 1) {
            const std::size_t mid = good + (bad - good) / 2;
            (fits(mid) ? good : bad) = mid;
        }
        lines.emplace_back(para.substr(start, ends[good] - start));
        start = SkipSpaces(para, ends[good]);
        first = good + 1;
    }
}

void DrawClippedLine(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color, bool centred)
{
    const Size extent = canvas.TextExtent(text);
    const int x = centred ? rect.left + (rect.Width() - extent.cx) / 2 : rect.left;
    const int y = rect.top + (rect.Height() - extent.cy) / 2;
    canvas.SetClip(rect);
    canvas.DrawText(text, x, y, color);
    canvas.ResetClip();
}

} // namespace

std::vector<std::string> WrapLines(Canvas& canvas, std::string_view text, int width)
{
    std::vector<std::string> lines;
    double pixelsPerChar = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t feed = text.find('\n', pos);
        const std::string_view para = text.substr(pos, feed == std::string_view::npos ? std::string_view::npos : feed - pos);
        WrapParagraph(canvas, para, width, lines, pixelsPerChar);
        if (feed == std::string_view::npos)
            break;
        pos = feed + 1;
    }
    return lines;
}

int MeasureWrapped(Canvas& canvas, std::string_view text, int width)
{
    return static_cast<int>(WrapLines(canvas, text, width).size()) * canvas.LineHeight();
}

void DrawCentered(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color)
{
    DrawClippedLine(canvas, text, rect, color, true);
}

void DrawLeftCentered(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color)
{
    DrawClippedLine(canvas, text, rect, color, false);
}

void DrawWrapped(Canvas& canvas, std::string_view text, const Rect& rect, ColorRef color)
{
    DrawLines(canvas, WrapLines(canvas, text, rect.Width()), rect, color);
}

void DrawLines(Canvas& canvas, const std::vector<std::string>& lines, const Rect& rect, ColorRef color)
{
    const int lineHeight = canvas.LineHeight();
    canvas.SetClip(rect);
    int y = rect.top;
    for (const std::string& line : lines) {
        if (y >= rect.bottom)
            break;
        if (!line.empty())
            canvas.DrawText(line, rect.left, y, color);
        y += lineHeight;
    }
    canvas.ResetClip();
}

} // namespace vexadra
