#pragma once
// The program's own words on the game screen, the instructions page and in the title.

#include <array>
#include <ctime>
#include <string>
#include <string_view>

namespace vexadra {

constexpr int kTextSlots = 4;
// Only entry 0 carries text: the instructions, two paragraphs, no trailing space.
std::array<std::string, kTextSlots> BuildInstructionTexts();

// The instructions text with the page's heading before it and the key lines after it.
std::string ComposeInstructionsPage(std::string_view instructionsText);

// The help lines: with the End line only while End would end the game.
extern const char* const kHelpLinesWithEnd;
extern const char* const kHelpLines;
extern const char* const kHintText;
extern const char* const kScoreLabel;
extern const char* const kMovesLabel;
extern const char* const kGameRoundLabel;
// Heads the title; it names the maker and the year and ends in " -- ".
extern const char* const kMakerNotice;

// A figure as the boxes show it: decimal, a minus sign when negative, nothing else.
std::string FormatNumber(int value);

struct TitleTexts {
    std::string m_strDateTime;  // MM/DD/YY HH:MM:SS, local time, 24 hours
    std::string m_strTitle;     // notice, date and time, " -- Version " and the label
    std::string m_strBanner;    // "Vexadra - " and the title: the printout's heading
};
TitleTexts BuildTitleTexts(std::time_t now, const std::string& version);

} // namespace vexadra
