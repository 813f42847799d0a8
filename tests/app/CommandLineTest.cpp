#include "app/CommandLine.h"
#include "app/StartupOptions.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vexadra {
namespace {

using Action = CommandLineVerdict::Action;

CommandLineVerdict Read(std::initializer_list<std::string_view> args, StartupOptions& options)
{
    const std::vector<std::string_view> list(args);
    return ReadCommandLine(list, options);
}

TEST(CommandLine, TakesTheOptionsInEitherFormAndAMistakeWinsOverHelp)
{
    StartupOptions options;
    EXPECT_EQ(Read({}, options).action, Action::Run);
    EXPECT_EQ(Read({"--opponent=hard"}, options).action, Action::Run);
    EXPECT_EQ(options.opponent, Opponent::Hard);
    EXPECT_EQ(Read({"--opponent", "easy", "--"}, options).action, Action::Run);
    EXPECT_EQ(options.opponent, Opponent::Easy);
    EXPECT_EQ(Read({"--version", "-h"}, options).action, Action::Help);
    EXPECT_EQ(Read({"--version"}, options).action, Action::Version);
    EXPECT_EQ(Read({"--help", "--bogus"}, options).action, Action::Refuse);
}

TEST(CommandLine, SaysWhatIsWrongInOneStyleAndQuotesOnlyWhatATerminalShows)
{
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"foo"}, "unexpected argument 'foo'"},
        {{"--", "-h"}, "unexpected argument '-h'"},
        {{"--opponent"}, "option '--opponent' needs a value"},
        {{"--help=yes"}, "option '--help' takes no value"},
        {{"--opponent=expert"}, "unknown opponent 'expert' (two, easy, normal or hard)"},
        {{"--\xc3\xbc"}, "unknown option '--\xc3\xbc'"},
        {{"\xff\x1b[2J\xc3"}, "unexpected argument '\\xff\\x1b[2J\\xc3'"},
        {{"\xed\xa0\x80\xc2\x85"}, "unexpected argument '\\xed\\xa0\\x80\\xc2\\x85'"},
    };
    for (const auto& [args, error] : cases) {
        StartupOptions options;
        const CommandLineVerdict verdict = ReadCommandLine(args, options);
        EXPECT_EQ(verdict.action, Action::Refuse) << error;
        EXPECT_EQ(verdict.error, error);
    }
}

} // namespace
} // namespace vexadra
