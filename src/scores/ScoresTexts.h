#pragma once
// The words of the scores dialog, kept apart from the toolkit so they can be checked
// without a display.

namespace vexadra {

inline constexpr char kScoresTitle[] =
    "Vexadra - Scores From Completed Games. Most Recent Game is at the Top of the List";
inline constexpr char kScoresHeading[] = " Game#    Left Side   Right Side    #Rounds";
inline constexpr char kScoresExit[] = "Exit";
inline constexpr char kScoresLeftSum[] = "Left Sum";
inline constexpr char kScoresRightSum[] = "Right Sum";
inline constexpr char kLeftSumMessage[] =
    "For any line, this is the sum of all the Left Side scores beginning with this line "
    "and ending with the last or bottom line of the list.";
inline constexpr char kRightSumMessage[] =
    "For any line, this is the sum of all the Right Side scores beginning with this line "
    "and ending with the last or bottom line of the list.";
// Caption of the two explanations: the application's name.
inline constexpr char kMessageCaption[] = "Vexadra";
// Closes the list under the last game.
inline constexpr char kScoresClosingLine[] = "      -----";

} // namespace vexadra
