#include "scores/ScoreHistory.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <utility>

#include "scores/ScoresTexts.h"

namespace vexadra {

namespace {

// A sum of 500 scores does not fit an int when the scores are extreme; the list shows
// the true sum instead of a wrapped one.
using Sum = long long;

void AppendField(std::string& line, Sum value, int width)
{
    const std::string text = std::to_string(value);
    const auto wanted = static_cast<std::size_t>(width);
    if (text.size() < wanted)
        line.append(wanted - text.size(), ' ');
    line += text;
}

void ShiftDown(int (&entries)[ScoreHistory::kSlots])
{
    std::copy_backward(entries, entries + ScoreHistory::kListed, entries + ScoreHistory::kListed + 1);
}

} // namespace

void ScoreHistory::Clear()
{
    m_nGameCount = 0;
    std::fill(std::begin(m_nGameNumber), std::end(m_nGameNumber), 0);
    std::fill(std::begin(m_nLeftScore), std::end(m_nLeftScore), 0);
    std::fill(std::begin(m_nRightScore), std::end(m_nRightScore), 0);
    std::fill(std::begin(m_nRoundsPlayed), std::end(m_nRoundsPlayed), 0);
}

void ScoreHistory::RecordGame(int leftScore, int rightScore, int roundsPlayed)
{
    ShiftDown(m_nGameNumber);
    ShiftDown(m_nLeftScore);
    ShiftDown(m_nRightScore);
    ShiftDown(m_nRoundsPlayed);
    m_nGameNumber[0] = m_nGameCount + 1;
    m_nLeftScore[0] = leftScore;
    m_nRightScore[0] = rightScore;
    m_nRoundsPlayed[0] = roundsPlayed;
    ++m_nGameCount;
}

std::vector<std::string> ScoreHistory::BuildListLines() const
{
    const int rows = std::min(m_nGameCount, kListed);

    // The sums run to the bottom of the listed range whatever the number of rows; the
    // entries below the last game are zero, so that is the sum down to the last line.
    Sum leftSums[kListed];
    Sum rightSums[kListed];
    Sum left = 0;
    Sum right = 0;
    for (int i = kListed - 1; i >= 0; --i) {
        left += m_nLeftScore[i];
        right += m_nRightScore[i];
        leftSums[i] = left;
        rightSums[i] = right;
    }

    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(rows) + 1);
    for (int i = 0; i < rows; ++i) {
        const Sum fields[6] = {m_nGameNumber[i], m_nLeftScore[i], m_nRightScore[i],
                               m_nRoundsPlayed[i], leftSums[i], rightSums[i]};
        std::string line;
        for (int f = 0; f < 6; ++f)
            AppendField(line, fields[f], kFieldWidths[f]);
        lines.push_back(std::move(line));
    }
    lines.emplace_back(kScoresClosingLine);
    return lines;
}

} // namespace vexadra
