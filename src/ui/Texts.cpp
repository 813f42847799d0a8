#include "ui/Texts.h"

#include "i18n/Translate.h"

namespace vexadra {

namespace {

// Whole paragraphs, so that a translation can reorder the sentences; the page puts
// a space and an empty line between them.
const char* const kInstructionParagraphs[] = {
    N_("The game displays two boards of 16 colored squares. You have the left side and your opponent has the "
       "right side. A black arrow points to the active side, and that player must take a turn. Each player "
       "has two boxes showing the score and the number of moves left. When both players have no moves left "
       "the round ends and you'll hear a gong. The next round starts immediately after that unless you press "
       "the End key, which ends the game and displays a dialog box listing the scores of all games completed "
       "during the current session. When you exit this dialog box, Vexadra is all set to start a new game."),
    N_("The object in Vexadra is to take away colors from your opponent. "
       "You do this by moving a color on your board to the same relative position that it occupies "
       "on your opponent's board. For example, if the opponent has yellow in the third square "
       "of his top row and your yellow is in the second square of your top row, you can move it to the "
       "third square of your top row. Now your yellow is in the same relative position as his and you take it "
       "away from him. The empty square will turn black. "
       "You move colors by the click and drag method. You can move by one square, straight or diagonally, "
       "or you can jump over one or two black squares as long as they lie along a straight or a diagonal. "
       "You cannot move to or from a black square. You must stay within your board. "
       "If you violate any of these rules, you'll hear a brrr sound and you'll have to try again. "
       "When you make a move, you may take away two colors from the other player and increase your score by "
       "16 points, or you may take away one color and gain 8 points, or you may take nothing away from your "
       "opponent in which case you lose one point. If you have trouble distinguishing colors, press the Insert "
       "key. A number will be assigned to each color to help you."),
};

} // namespace

std::array<std::string, kTextSlots> BuildInstructionTexts()
{
    std::array<std::string, kTextSlots> texts;
    texts[0] = Tr(kInstructionParagraphs[0]) + " \n\n" + Tr(kInstructionParagraphs[1]);
    return texts;
}

std::string ComposeInstructionsPage(std::string_view instructionsText)
{
    // Appended piece by piece: GCC 12 mistakes "literal" + std::string for an
    // overlapping copy in an optimized build.
    std::string page = Tr(N_("Instructions for VEXADRA."));
    page += " \n\n";
    page += instructionsText;
    page += "\n\n";
    page += Tr(N_("Press the End key to get back to the game"));
    page += "\n";
    page += Tr(N_("Press the Ctrl and P keys to print these instructions."));
    page += " \n";
    page += Tr(N_("Press the Alt and F4 keys to exit."));
    page += " ";
    return page;
}

// TRANSLATORS: one command a line; each line should fit about 30 characters.
const char* const kHelpLinesWithEnd =
    N_("Press End to end this game and view scores."
       "\nPress F1 to view the instructions.\nPress Ctrl and P to print the instructions."
       "\nPress F2 to view the scores.\nPress Alt and F4 to exit. ");
// The F2 line differs from the one above by the space before its line feed.
// TRANSLATORS: the lines above without the first one.
const char* const kHelpLines =
    N_("Press F1 to view the instructions.\nPress Ctrl and P to print the instructions."
       "\nPress F2 to view the scores. \nPress Alt and F4 to exit. ");
// TRANSLATORS: one line beside the right board; keep it short.
const char* const kHintText = N_("Press Insert to number each color");
// TRANSLATORS: the three labels stand above boxes one board square wide.
const char* const kScoreLabel = N_("Score");
const char* const kMovesLabel = N_("Moves Left");
const char* const kGameRoundLabel = N_("Game/Round");
const char* const kMakerNotice = N_("Made by Larchfield Pocket Games, 2008 -- ");

std::string FormatNumber(int value) { return std::to_string(value); }

TitleTexts BuildTitleTexts(std::time_t now, const std::string& version)
{
    TitleTexts t;
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    // Spelt out rather than "%c", whose form follows the locale.
    const std::size_t length = std::strftime(buffer, sizeof buffer, "%m/%d/%y %H:%M:%S", &local);
    t.m_strDateTime.assign(buffer, length);
    t.m_strTitle = Tr(kMakerNotice) + t.m_strDateTime + " -- " + Tr(N_("Version")) + " " + version;
    t.m_strBanner = "Vexadra - " + t.m_strTitle;
    return t;
}

} // namespace vexadra
