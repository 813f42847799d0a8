#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "i18n/Translate.h"
#include "ui/Texts.h"

namespace vexadra {
namespace {

std::size_t Count(const std::string& s, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos + 1))
        ++n;
    return n;
}

TEST(Texts, InstructionsAreTwoParagraphsEndingWithoutASpace)
{
    const auto texts = BuildInstructionTexts();
    const std::string& t = texts[0];
    EXPECT_TRUE(texts[1].empty() && texts[2].empty() && texts[3].empty());
    EXPECT_EQ(Count(t, "\n"), 2u);
    EXPECT_NE(t.find("start a new game. \n\nThe object in Vexadra"), std::string::npos);
    EXPECT_EQ(t.rfind("The game displays two boards of 16 colored squares.", 0), 0u);
    ASSERT_GE(t.size(), 9u);
    EXPECT_EQ(t.substr(t.size() - 9), "help you.");
    EXPECT_EQ(Count(t, "Vexadra"), 2u);
    // The joins between pieces: each piece but the last brings exactly one space.
    EXPECT_EQ(Count(t, "  "), 0u);
    EXPECT_NE(t.find("opponent has the right side."), std::string::npos);
    EXPECT_NE(t.find("increase your score by 16 points"), std::string::npos);
    EXPECT_NE(t.find("press the Insert key. A number"), std::string::npos);
    EXPECT_NE(t.find("you'll hear a brrr sound and you'll have to try again."), std::string::npos);
    EXPECT_EQ(t.size(), 1812u);
}

TEST(Texts, InstructionsPageFramesTheText)
{
    const std::string page = ComposeInstructionsPage("BODY");
    EXPECT_EQ(page, "Instructions for VEXADRA. \n\nBODY\n\nPress the End key to get back to the game"
                    "\nPress the Ctrl and P keys to print these instructions. \nPress the Alt and F4 keys to exit. ");
}

TEST(Texts, HelpLinesDifferInTheEndLineAndTheF2Line)
{
    const std::string withEnd = kHelpLinesWithEnd;
    const std::string without = kHelpLines;
    EXPECT_EQ(Count(withEnd, "\n"), 4u);
    EXPECT_EQ(Count(without, "\n"), 3u);
    EXPECT_EQ(withEnd.rfind("Press End to end this game and view scores.\n", 0), 0u);
    EXPECT_EQ(without.rfind("Press F1 to view the instructions.\n", 0), 0u);
    EXPECT_NE(withEnd.find("Press F2 to view the scores.\nPress Alt"), std::string::npos);
    EXPECT_NE(without.find("Press F2 to view the scores. \nPress Alt"), std::string::npos);
    EXPECT_EQ(withEnd.substr(withEnd.size() - 6), "exit. ");
    EXPECT_EQ(without.substr(without.size() - 6), "exit. ");
    EXPECT_STREQ(kHintText, "Press Insert to number each color");
}

class TitleTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_hadTz = tz != nullptr;
        if (m_hadTz)
            m_oldTz = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadTz)
            setenv("TZ", m_oldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    bool m_hadTz = false;
    std::string m_oldTz;
};

TEST_F(TitleTexts, NoticeDateTimeAndVersionInThatOrder)
{
    const auto t = BuildTitleTexts(1224684235, "D604");  // 22 October 2008, 14:03:55 UTC
    const std::string notice = kMakerNotice;
    ASSERT_GE(notice.size(), 4u);
    EXPECT_EQ(notice.substr(notice.size() - 4), " -- ");
    EXPECT_EQ(t.m_strDateTime, "10/22/08 14:03:55");
    EXPECT_EQ(t.m_strTitle, notice + "10/22/08 14:03:55 -- Version D604");
    EXPECT_EQ(t.m_strBanner, "Vexadra - " + t.m_strTitle);
}

TEST_F(TitleTexts, DateAndTimeKeepTheirLeadingZeros)
{
    EXPECT_EQ(BuildTitleTexts(1230865445, "D604").m_strDateTime, "01/02/09 03:04:05");
}

// Each text goes to the catalogue whole, and what comes back is put where the English was.
TEST_F(TitleTexts, EveryPieceIsLookedUpAsAWholeSentence)
{
    SetTranslator([](const char* english) { return std::string("<").append(english).append(">"); });
    const std::string text = BuildInstructionTexts()[0];
    const std::string page = ComposeInstructionsPage("BODY");
    const auto t = BuildTitleTexts(1224684235, "D604");
    SetTranslator(nullptr);

    EXPECT_EQ(text.rfind("<The game displays", 0), 0u);
    EXPECT_NE(text.find("start a new game.> \n\n<The object in Vexadra"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), "help you.>");
    EXPECT_EQ(page, "<Instructions for VEXADRA.> \n\nBODY\n\n<Press the End key to get back to the game>"
                    "\n<Press the Ctrl and P keys to print these instructions.> \n<Press the Alt and F4 keys to exit.> ");
    EXPECT_EQ(t.m_strTitle, std::string("<").append(kMakerNotice).append(">10/22/08 14:03:55 -- <Version> D604"));
    EXPECT_EQ(Tr(kHintText), kHintText) << "English again once the translator is gone";
}

} // namespace
} // namespace vexadra
