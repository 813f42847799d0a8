#include "app/Shortcuts.h"

#include <sstream>

#include "i18n/Translate.h"

namespace vexadra {

namespace {
const Shortcut kShortcuts[] = {
    {N_("Drag with the left button"), N_("move a colour of your own board")},
    {N_("Arrow keys"), N_("move the focus frame over the board of the side to move")},
    {N_("Home"), N_("put the focus frame on the top-left square of that board")},
    {N_("Space, Return"), N_("pick up the colour under the frame; pressed again, drop it there")},
    {N_("Escape"), N_("put back the colour picked up; on the instructions page: back to the game")},
    {N_("End"), N_("at the start of a round (with a score): end the game and list the scores; "
                   "on the instructions page: back to the game")},
    {N_("Ctrl+N"), N_("start a new game (the game in progress is not recorded)")},
    {N_("Ctrl+Z, Alt+Backspace"), N_("take back the last move; against the computer its answer too")},
    {N_("Ctrl+H"), N_("mark a good move for the side to move")},
    {N_("Insert"), N_("write a number 1 to 16 on every colour")},
    {N_("F1"), N_("show the instructions")},
    {N_("F2"), N_("list the scores of the completed games")},
    {N_("Ctrl+?"), N_("list the keys and mouse actions")},
    {N_("Ctrl+P"), N_("print the instructions")},
    {N_("Ctrl+Q, Alt+F4"), N_("quit")},
};

constexpr std::size_t kHelpKeyColumn = 30;
constexpr std::size_t kHelpWidth = 79;

// Wraps words into lines of at most width characters (a longer word stands alone).
std::string Wrapped(const std::string& text, std::size_t width, const std::string& indent)
{
    std::istringstream words(text);
    std::string word;
    std::string out;
    std::size_t column = 0;
    while (words >> word) {
        if (column > 0 && column + 1 + word.size() > width) {
            out += "\n" + indent;
            column = 0;
        } else if (column > 0) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
    }
    return out;
}

} // namespace

std::span<const Shortcut> Shortcuts() { return kShortcuts; }

std::string ShortcutsHelpText()
{
    const std::string indent(kHelpKeyColumn, ' ');
    std::string text = Tr(N_("Keys:")) + "\n";
    for (const Shortcut& shortcut : kShortcuts) {
        const std::string keys = "  " + Tr(shortcut.keys);
        // Counted in characters, not bytes, so that translated keys line up too.
        std::size_t shown = 0;
        for (const char c : keys)
            shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        // Keys too long for their column get a line of their own.
        text += keys + (shown < kHelpKeyColumn ? std::string(kHelpKeyColumn - shown, ' ') : "\n" + indent);
        text += Wrapped(Tr(shortcut.action), kHelpWidth - kHelpKeyColumn, indent) + "\n";
    }
    return text;
}

} // namespace vexadra
