#pragma once
// The words of the scores dialog, kept apart from the toolkit so they can be checked
// without a display.

#include "i18n/Translate.h"

namespace vexadra {

inline constexpr const char* kScoresTitle =
    N_("Vexadra - Scores From Completed Games. Most Recent Game is at the Top of the List");
// TRANSLATORS: column heads over a list in a fixed-width font whose numbers end at
// characters 4, 16, 28 and 40; keep each head over its column.
inline constexpr const char* kScoresHeading = N_(" Game#    Left Side   Right Side    #Rounds");
inline constexpr const char* kScoresExit = N_("Exit");
inline constexpr const char* kScoresLeftSum = N_("Left Sum");
inline constexpr const char* kScoresRightSum = N_("Right Sum");
inline constexpr const char* kLeftSumMessage =
    N_("For any line, this is the sum of all the Left Side scores beginning with this line "
       "and ending with the last or bottom line of the list.");
inline constexpr const char* kRightSumMessage =
    N_("For any line, this is the sum of all the Right Side scores beginning with this line "
       "and ending with the last or bottom line of the list.");
// Caption of the two explanations: the application's name.
inline constexpr char kMessageCaption[] = "Vexadra";
// Closes the list under the last game.
inline constexpr char kScoresClosingLine[] = "      -----";

} // namespace vexadra
