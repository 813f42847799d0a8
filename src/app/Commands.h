#pragma once
// The game's own menu commands, and the commands that the accelerator table claims but
// that do nothing in this game.

#include <wx/defs.h>

namespace vexadra {

enum : int {
    ID_EDIT_UNDO = wxID_HIGHEST + 1,
    ID_EDIT_CUT,
    ID_EDIT_COPY,
    ID_EDIT_PASTE,
    ID_NEXT_PANE,
    ID_PREV_PANE,
    // The Game menu's opponents, in the order of vexadra::Opponent.
    ID_OPPONENT_TWO_PLAYERS,
    ID_OPPONENT_EASY,
    ID_OPPONENT_NORMAL,
    ID_OPPONENT_HARD,
    ID_OPPONENT_EXPERT,
    ID_GAME_SOUND,  // Game > Sound: the sound switch
};

} // namespace vexadra
