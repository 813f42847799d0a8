#include "app/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace vexadra {
namespace {

TEST(Settings, TakeOnlyTheWordsTheProgramWritesAndKeepTheDefaultsOtherwise)
{
    const Settings written = SettingsFromTexts("off", "hard");
    EXPECT_FALSE(written.sound);
    EXPECT_EQ(written.opponent, Opponent::Hard);
    EXPECT_EQ(SettingsFromTexts("on", "expert").opponent, Opponent::Expert);
    EXPECT_EQ(SettingsFromTexts(SoundSettingName(false), "").sound, false);
    EXPECT_EQ(SettingsFromTexts(SoundSettingName(true), "").sound, true);
    for (const char* bad : {"", "0", "false", "OFF", "off ", "no"}) {
        const Settings settings = SettingsFromTexts(bad, bad);
        EXPECT_TRUE(settings.sound) << '"' << bad << '"';
        EXPECT_FALSE(settings.opponent.has_value()) << '"' << bad << '"';
    }
}

TEST(Settings, AGarbledFileKeepsOnlyLinesThatCanBeOurs)
{
    const std::string garbled = std::string("\x01\xff[group\n=\n=off\n sound = off \r\nopponent=hard=1\n") +
                                "opponent=$HOME\nvolume=3\nopponent\teasy\nopponent\t=\teasy";
    EXPECT_EQ(SettingLines(garbled), "sound=off\nopponent=easy\n");
    EXPECT_EQ(SettingLines(""), "");
}

TEST(Settings, TheCommandLinesOpponentWinsOverTheRememberedOne)
{
    const Settings rememberedEasy = SettingsFromTexts("on", "easy");
    EXPECT_EQ(StartupOpponent(Opponent::Hard, rememberedEasy), Opponent::Hard);
    EXPECT_EQ(StartupOpponent(std::nullopt, rememberedEasy), Opponent::Easy);
    EXPECT_EQ(StartupOpponent(std::nullopt, Settings{}), Opponent::TwoPlayers);
}

} // namespace
} // namespace vexadra
