#include <gtest/gtest.h>

#include <wx/defs.h>

#include "game/Keys.h"
#include "ui/CVexadraView.h"

namespace vexadra {
namespace {

struct Mapping {
    int wxKey;
    int gameKey;
};

TEST(KeyMap, MainAndKeypadKeysActAlikeWithShiftOrCtrlButNotWithAlt)
{
    const Mapping keys[] = {
        {WXK_F1, VK_F1},           {WXK_F2, VK_F2},
        {WXK_END, VK_END},         {WXK_NUMPAD_END, VK_END},
        {WXK_HOME, VK_HOME},       {WXK_NUMPAD_HOME, VK_HOME},
        {WXK_LEFT, VK_LEFT},       {WXK_NUMPAD_LEFT, VK_LEFT},
        {WXK_UP, VK_UP},           {WXK_NUMPAD_UP, VK_UP},
        {WXK_RIGHT, VK_RIGHT},     {WXK_NUMPAD_RIGHT, VK_RIGHT},
        {WXK_DOWN, VK_DOWN},       {WXK_NUMPAD_DOWN, VK_DOWN},
        {WXK_SPACE, VK_SPACE},     {WXK_NUMPAD_SPACE, VK_SPACE},
        {WXK_RETURN, VK_RETURN},   {WXK_NUMPAD_ENTER, VK_RETURN},
        {WXK_ESCAPE, VK_ESCAPE},
    };
    for (const Mapping& key : keys) {
        for (const int modifiers : {int{wxMOD_NONE}, int{wxMOD_SHIFT}, int{wxMOD_CONTROL}, wxMOD_SHIFT | wxMOD_CONTROL})
            EXPECT_EQ(GameKeyFor(key.wxKey, modifiers), key.gameKey) << key.wxKey << " with " << modifiers;
        // Alt belongs to the menus and to Alt+F4.
        EXPECT_EQ(GameKeyFor(key.wxKey, wxMOD_ALT), 0) << key.wxKey;
        EXPECT_EQ(GameKeyFor(key.wxKey, wxMOD_ALT | wxMOD_SHIFT), 0) << key.wxKey;
    }
}

TEST(KeyMap, InsertNumbersOnlyAloneAndOtherKeysMeanNothing)
{
    EXPECT_EQ(GameKeyFor(WXK_INSERT, wxMOD_NONE), VK_INSERT);
    EXPECT_EQ(GameKeyFor(WXK_NUMPAD_INSERT, wxMOD_NONE), VK_INSERT);
    for (const int modifiers : {int{wxMOD_SHIFT}, int{wxMOD_CONTROL}, int{wxMOD_ALT}})
        for (const int key : {int{WXK_INSERT}, int{WXK_NUMPAD_INSERT}})
            EXPECT_EQ(GameKeyFor(key, modifiers), 0) << key << " with " << modifiers;
    for (const int key : {int{'A'}, int{'1'}, int{WXK_F3}, int{WXK_F4}, int{WXK_F6}, int{WXK_TAB}, int{WXK_DELETE},
                          int{WXK_PAGEUP}, int{WXK_BACK}})
        EXPECT_EQ(GameKeyFor(key, wxMOD_NONE), 0) << key;
}

} // namespace
} // namespace vexadra
