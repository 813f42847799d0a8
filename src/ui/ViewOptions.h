#pragma once
// What the game window is told at start-up by the program around it.

#include <cstdint>
#include <string>

namespace vexadra {

struct ViewOptions {
    std::uint32_t seed = 0;            // the deal's generator seed
    std::string tracePath;             // where each full paint notes the client area (testing aid)
    bool quitAfterFirstPaint = false;  // for timing the start-up
    std::string appName;               // the caption's first part and the message boxes' title
    std::string version;               // the version label the caption and the printout carry
    std::string tooSmallMessage;       // English; shown, translated, when the screen is too small
    std::string layoutMemoPath;        // where font sizes and fits are remembered between runs; none when empty
};

} // namespace vexadra
