#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "i18n/LanguageChoice.h"

namespace vexadra {
namespace {

std::string Choose(const std::map<std::string, std::string>& env)
{
    return ChooseLanguage(
        [&env](const char* name) {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        },
        [](std::string_view name) { return name == "de" || name == "fr" || name == "pt_BR"; });
}

TEST(LanguageChoice, FollowsTheLocaleInGettextOrder)
{
    EXPECT_EQ(Choose({{"LANG", "de_DE.UTF-8"}}), "de");
    EXPECT_EQ(Choose({{"LANG", "de_AT.UTF-8@euro"}}), "de");
    EXPECT_EQ(Choose({{"LANG", "pt_BR.UTF-8"}}), "pt_BR");
    EXPECT_EQ(Choose({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), "fr");
    EXPECT_EQ(Choose({{"LC_ALL", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), "de");
    EXPECT_EQ(Choose({{"LC_ALL", ""}, {"LANG", "fr_CA.UTF-8"}}), "fr");
}

TEST(LanguageChoice, LanguageListComesFirstExceptInTheCLocale)
{
    EXPECT_EQ(Choose({{"LANGUAGE", "it:fr:de"}, {"LANG", "de_DE.UTF-8"}}), "fr");
    EXPECT_EQ(Choose({{"LANGUAGE", "it"}, {"LANG", "de_DE.UTF-8"}}), "");
    EXPECT_EQ(Choose({{"LANGUAGE", "::fr"}, {"LANG", "en_GB.UTF-8"}}), "fr");
    EXPECT_EQ(Choose({{"LANGUAGE", "de"}, {"LC_ALL", "C"}}), "");
    EXPECT_EQ(Choose({{"LANGUAGE", "de"}, {"LANG", "C.UTF-8"}}), "");
}

TEST(LanguageChoice, UnknownOrBrokenSettingsMeanEnglish)
{
    for (const char* value : {"", "xx_YY.UTF-8", "garbage", "_", ".UTF-8", "@euro", "POSIX", "en_US.UTF-8", "../de", "de/x"})
        EXPECT_EQ(Choose({{"LANG", value}}), "") << value;
    EXPECT_EQ(Choose({}), "");
}

} // namespace
} // namespace vexadra
