#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "scores/ScoreHistory.h"

using namespace vexadra;

namespace {

constexpr char kClosing[] = "      -----";

// The six fields of a list line, cut at the fixed widths (valid only while no number
// overflows its field).
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (int width : ScoreHistory::kFieldWidths) {
        std::string field = line.substr(at, static_cast<std::size_t>(width));
        field.erase(0, field.find_first_not_of(' '));
        fields.push_back(field);
        at += static_cast<std::size_t>(width);
    }
    return fields;
}

} // namespace

TEST(ScoreHistory, FirstGameIsOneLineWithItsOwnScoresAsSumsThenTheClosingLine)
{
    ScoreHistory history;
    history.Clear();
    EXPECT_EQ(history.BuildListLines(), std::vector<std::string>{kClosing});

    history.RecordGame(9, -2, 4);
    EXPECT_EQ(history.m_nGameCount, 1);
    const std::vector<std::string> lines = history.BuildListLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Fields(lines[0]), (std::vector<std::string>{"1", "9", "-2", "4", "9", "-2"}));
    EXPECT_EQ(lines[1], kClosing);
}

TEST(ScoreHistory, NewestGameComesFirstAndSumsRunToTheBottom)
{
    ScoreHistory history;
    history.RecordGame(20, 5, 1);
    history.RecordGame(-3, 12, 2);
    history.RecordGame(7, 7, 3);

    const std::vector<std::string> lines = history.BuildListLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Fields(lines[0]), (std::vector<std::string>{"3", "7", "7", "3", "24", "24"}));
    EXPECT_EQ(Fields(lines[1]), (std::vector<std::string>{"2", "-3", "12", "2", "17", "17"}));
    EXPECT_EQ(Fields(lines[2]), (std::vector<std::string>{"1", "20", "5", "1", "20", "5"}));
    EXPECT_EQ(lines[3], kClosing);
}

TEST(ScoreHistory, LineIsSixRightAlignedFieldsOfSixtyFourCharacters)
{
    // Game 12: 35 and -4 after 3 rounds; the eleven games below it add up so that the
    // sums from game 12 down are 101 and 57.
    ScoreHistory history;
    history.RecordGame(66, 61, 1);
    for (int game = 2; game <= 11; ++game)
        history.RecordGame(0, 0, 1);
    history.RecordGame(35, -4, 3);

    const std::string line = history.BuildListLines().front();
    EXPECT_EQ(line, std::string("  12") + std::string(10, ' ') + "35" + std::string(10, ' ') +
                        "-4" + std::string(11, ' ') + "3" + std::string(10, ' ') + "101" +
                        std::string(9, ' ') + "57");
    EXPECT_EQ(line.size(), 64u);
}

TEST(ScoreHistory, LongNumbersWidenTheLineInsteadOfBeingCut)
{
    ScoreHistory history;
    for (int game = 1; game < 12345; ++game)
        history.RecordGame(0, 0, 0);
    history.RecordGame(-123456789, 7, 1);
    const std::string line = history.BuildListLines().front();
    // Game number and left score both keep every digit; the other fields follow at
    // their usual widths.
    EXPECT_EQ(line.substr(0, 5), "12345");
    EXPECT_EQ(line.substr(5, 12), "  -123456789");
    EXPECT_EQ(line.size(), 65u);
    EXPECT_EQ(line.substr(line.size() - 24), std::string(3, ' ') + "-123456789" +
                                                 std::string(10, ' ') + "7");
}

TEST(ScoreHistory, FromThe501stGameOnOnlyTheNewest500AreListedAndSummed)
{
    ScoreHistory history;
    history.Clear();
    for (int game = 1; game <= 501; ++game)
        history.RecordGame(game, -game, game % 7);

    EXPECT_EQ(history.m_nGameCount, 501);
    EXPECT_EQ(history.m_nGameNumber[0], 501);
    EXPECT_EQ(history.m_nGameNumber[499], 2);
    EXPECT_EQ(history.m_nGameNumber[500], 1);  // pushed out of the listed range

    const std::vector<std::string> lines = history.BuildListLines();
    ASSERT_EQ(lines.size(), 501u);
    // Games 2..501 sum to 125750; game 1, out of the list, is left out.
    EXPECT_EQ(Fields(lines[0]),
              (std::vector<std::string>{"501", "501", "-501", "4", "125750", "-125750"}));
    EXPECT_EQ(Fields(lines[499]), (std::vector<std::string>{"2", "2", "-2", "2", "2", "-2"}));
    EXPECT_EQ(lines[500], kClosing);

    // One more pushes game 2 out in turn; the numbers keep counting.
    history.RecordGame(0, 0, 0);
    EXPECT_EQ(history.BuildListLines().size(), 501u);
    EXPECT_EQ(Fields(history.BuildListLines()[499])[0], "3");
    EXPECT_EQ(history.m_nGameNumber[500], 2);
}

TEST(ScoreHistory, SumsOfExtremeScoresAreExactNotWrapped)
{
    ScoreHistory history;
    for (int game = 0; game < 500; ++game)
        history.RecordGame(INT_MAX, INT_MIN, 1);

    const std::vector<std::string> lines = history.BuildListLines();
    ASSERT_EQ(lines.size(), 501u);
    // 500 * INT_MAX and 500 * INT_MIN: the left sum fills its 13 characters exactly, the
    // right one runs past its 11.
    EXPECT_EQ(lines.front(), std::string(" 500") + "  2147483647" + " -2147483648" +
                                 std::string(11, ' ') + "1" + "1073741823500" + "-1073741824000");
    EXPECT_EQ(Fields(lines[499])[4], "2147483647");
    EXPECT_EQ(lines[499].substr(lines[499].size() - 11), "-2147483648");
}

TEST(ScoreHistory, ClearForgetsEveryGame)
{
    ScoreHistory history;
    history.RecordGame(3, 4, 5);
    history.RecordGame(6, 7, 8);
    history.Clear();
    EXPECT_EQ(history.m_nGameCount, 0);
    EXPECT_EQ(history.BuildListLines(), std::vector<std::string>{kClosing});
    history.RecordGame(1, 1, 1);
    EXPECT_EQ(Fields(history.BuildListLines()[0]),
              (std::vector<std::string>{"1", "1", "1", "1", "1", "1"}));
}
