#include "app/Settings.h"
#include "app/SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vexadra {
namespace {

namespace fs = std::filesystem;

TEST(Settings, TheLastLineOfAKeyDecidesAndAWriteChangesOnlyThatLine)
{
    const std::string mine = "# mine\nsound=on\r\nvolume=3\n sound = off \r\nopponent=hard=1\nopponent\t=\thard";
    EXPECT_EQ(ReadSettings(mine), (Settings{false, Opponent::Hard}));
    EXPECT_EQ(ReadSettings("sound=OFF\nopponent=$HOME"), Settings{});
    const Settings view = ReadSettings("lastmove = on\nrefused=yes\nnumbers=on\nnumbers=off");
    EXPECT_EQ((std::vector<bool>{view.numbers, view.showLastMove, view.markRefused}),
              (std::vector<bool>{false, true, false}));
    EXPECT_EQ(ReadSettings(std::string("sound") + '\0' + "=off"), Settings{});
    EXPECT_EQ(WithSetting(mine, kSoundKey, "on"), "# mine\nsound=on\r\nvolume=3\nsound=on\r\nopponent=hard=1\nopponent\t=\thard");
    EXPECT_EQ(WithSetting("volume=3", kSoundKey, "off"), "volume=3\nsound=off\n");
}

TEST(Settings, TheCommandLinesOpponentWinsOverTheRememberedOne)
{
    const Settings rememberedEasy = ReadSettings("opponent=easy");
    EXPECT_EQ(StartupOpponent(Opponent::Hard, rememberedEasy), Opponent::Hard);
    EXPECT_EQ(StartupOpponent(std::nullopt, rememberedEasy), Opponent::Easy);
    EXPECT_EQ(StartupOpponent(std::nullopt, ReadSettings("opponent=expert")), Opponent::Expert);
    EXPECT_EQ(StartupOpponent(std::nullopt, Settings{}), Opponent::TwoPlayers);
}

class SettingsFolder : public testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("vexadra-settings-" + std::to_string(getpid()) + "-" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_root);
        m_path = (m_root / "vexadra" / "vexadra.conf").string();
    }
    void TearDown() override { fs::remove_all(m_root); }

    static std::string Text(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    fs::path m_root;
    std::string m_path;
};

TEST_F(SettingsFolder, AWriteGoesThroughALinkKeepsTheModeAndLeavesNoTemporaryFile)
{
    EXPECT_TRUE(WriteSettingToFile(m_path, kSoundKey, "off"));  // makes the folder
    EXPECT_EQ(Text(m_path), "sound=off\n");

    const fs::path dotfiles = m_root / "dotfiles" / "vexadra.conf";
    fs::create_directories(dotfiles.parent_path());
    Put(dotfiles, "# kept\nsound=off\n");
    chmod(dotfiles.c_str(), 0600);
    fs::remove(m_path);
    fs::create_symlink("../dotfiles/vexadra.conf", m_path);
    EXPECT_TRUE(WriteSettingToFile(m_path, kOpponentKey, "hard"));
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_EQ(Text(dotfiles), "# kept\nsound=off\nopponent=hard\n");
    EXPECT_EQ(fs::status(dotfiles).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(LoadSettingsFile(m_path), (Settings{false, Opponent::Hard}));
    for (const fs::path& folder : {m_root / "vexadra", m_root / "dotfiles"})
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << folder;
}

TEST_F(SettingsFolder, AFileItMayNotRewriteIsLeftAsItIs)
{
    fs::create_directories(fs::path(m_path).parent_path());
    const std::string large = "sound=off\n" + std::string(kMaxSettingsFileBytes, '#');
    Put(m_path, large);
    EXPECT_FALSE(WriteSettingToFile(m_path, kOpponentKey, "easy"));
    EXPECT_EQ(Text(m_path), large);
    EXPECT_EQ(LoadSettingsFile(m_path), Settings{});

    fs::remove(m_path);
    fs::create_directory(m_path);
    EXPECT_FALSE(WriteSettingToFile(m_path, kSoundKey, "off"));
    EXPECT_TRUE(fs::is_directory(m_path));
}

TEST_F(SettingsFolder, WhatADeadRunLeftBesideTheFileIsRemovedAndNothingElse)
{
    const fs::path folder = fs::path(m_path).parent_path();
    fs::create_directories(folder);
    Put(m_path, "sound=off\n");
    const fs::path live = folder / ("vexadra.conf." + std::to_string(getpid()) + ".tmp");
    const fs::path player = folder / "notes.txt";
    for (const fs::path& p : {folder / "vexadra.conf.999999999.tmp", folder / "vexadraAb12Cd", live, player})
        Put(p, "x");
    EXPECT_FALSE(LoadSettingsFile(m_path).sound);
    EXPECT_FALSE(fs::exists(folder / "vexadra.conf.999999999.tmp"));
    EXPECT_FALSE(fs::exists(folder / "vexadraAb12Cd"));
    EXPECT_TRUE(fs::exists(live));  // a run still writing
    EXPECT_TRUE(fs::exists(player));
}

TEST(XdgFolders, ARelativeFolderIsIgnoredAsTheBaseDirectoryRulesSay)
{
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(UserSettingsPath(), "/home/someone/.config/vexadra/vexadra.conf");
    setenv("XDG_CACHE_HOME", "/var/cache/me", 1);
    EXPECT_EQ(UserLayoutMemoPath(), "/var/cache/me/vexadra/layout");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(UserLayoutMemoPath(), "/home/someone/.cache/vexadra/layout");
    setenv("HOME", home.c_str(), 1);
}

} // namespace
} // namespace vexadra
