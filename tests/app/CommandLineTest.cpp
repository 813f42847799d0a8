#include "app/CommandLine.h"
#include "app/StartupOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexadra {
namespace {

using Action = CommandLineVerdict::Action;

TEST(CommandLine, SaysWhatIsWrongInOneStyleAndQuotesOnlyWhatATerminalShows)
{
    struct Case {
        std::vector<std::string_view> args;
        Action action;
        std::string error;
    };
    const Case cases[] = {
        {{"--opponent", "easy", "--"}, Action::Run, ""},
        {{"--version", "-h"}, Action::Help, ""},
        {{"--help", "--bogus=1"}, Action::Refuse, "unknown option '--bogus'"},
        {{"-x"}, Action::Refuse, "unknown option '-x'"},
        {{"--", "-h"}, Action::Refuse, "unexpected argument '-h'"},
        {{"--opponent"}, Action::Refuse, "option '--opponent' needs a value"},
        {{"--help=yes"}, Action::Refuse, "option '--help' takes no value"},
        {{"--opponent=master"}, Action::Refuse, "unknown opponent 'master' (two, easy, normal, hard or expert)"},
        {{"--\xc3\xbc"}, Action::Refuse, "unknown option '--\xc3\xbc'"},
        {{"\xff\x1b[2J\xc3"}, Action::Refuse, "unexpected argument '\\xff\\x1b[2J\\xc3'"},
        {{"\xed\xa0\x80\xc2\x85"}, Action::Refuse, "unexpected argument '\\xed\\xa0\\x80\\xc2\\x85'"},
    };
    for (const Case& c : cases) {
        StartupOptions options;
        const CommandLineVerdict verdict = ReadCommandLine(c.args, options);
        EXPECT_EQ(verdict.action, c.action) << c.error;
        EXPECT_EQ(verdict.error, c.error);
        if (c.action == Action::Run) {
            EXPECT_EQ(options.opponent, Opponent::Easy);
        }
    }
}

} // namespace
} // namespace vexadra
