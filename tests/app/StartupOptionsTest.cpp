#include <gtest/gtest.h>

#include "app/StartupOptions.h"

using namespace vexadra;

TEST(StartupOptionsTest, OpponentOptionInBothFormsAndAClearAnswerToAWrongWord)
{
    StartupOptions options;
    EXPECT_EQ(ReadCommandLine({}, options), "");
    EXPECT_EQ(options.opponent, Opponent::TwoPlayers);
    EXPECT_EQ(ReadCommandLine({"--opponent=hard"}, options), "");
    EXPECT_EQ(options.opponent, Opponent::Hard);
    EXPECT_EQ(ReadCommandLine({"--other", "--opponent", "easy"}, options), "");
    EXPECT_EQ(options.opponent, Opponent::Easy);

    for (const auto& args : {std::vector<std::string>{"--opponent=Hard"}, {"--opponent="}, {"--opponent"}}) {
        StartupOptions wrong;
        EXPECT_NE(ReadCommandLine(args, wrong).find("two, easy, normal or hard"), std::string::npos) << args[0];
        EXPECT_EQ(wrong.opponent, Opponent::TwoPlayers);
    }
}
