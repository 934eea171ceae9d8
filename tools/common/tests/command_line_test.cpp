// The tools' shared command-line parser: options anywhere after the command,
// values in either form, help, and the refusals that name what is wrong.

#include "tools/common/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zentrix::tools {
namespace {

const CommandSpec kDump{
    "dump", "FILE", "the records",
    1,      1,      {{"--tag", "NAME", "tag order"}, {"--json", "", "as JSON"}}};

struct ParseCase {
    const char* name;
    std::vector<std::string> words;
    ParseOutcome::Kind kind;
    std::vector<std::string> arguments;  // for Run
    std::string tag;                     // --tag's value, for Run
    bool json = false;
    std::string error = {};  // a fragment, for Error
};

class ParseCommand : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommand, TakesOptionsWhereverTheyStand) {
    const ParseCase& c = GetParam();
    const ParseOutcome outcome = CommandLineParser::parse(kDump, c.words);
    ASSERT_EQ(c.kind, outcome.kind) << outcome.error;
    if (c.kind == ParseOutcome::Kind::Run) {
        EXPECT_EQ(c.arguments, outcome.command.arguments());
        EXPECT_EQ(c.tag, outcome.command.value("--tag"));
        EXPECT_EQ(c.json, outcome.command.has("--json"));
    }
    if (c.kind == ParseOutcome::Kind::Error) {
        EXPECT_NE(std::string::npos, outcome.error.find(c.error)) << outcome.error;
    }
}

using Kind = ParseOutcome::Kind;
INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCommand,
    ::testing::Values(
        ParseCase{
            "OptionsAfter", {"t.dbf", "--json", "--tag", "ID"}, Kind::Run, {"t.dbf"}, "ID", true},
        ParseCase{
            "OptionsBefore", {"--json", "--tag", "ID", "t.dbf"}, Kind::Run, {"t.dbf"}, "ID", true},
        ParseCase{"ValueAfterEquals", {"--tag=NAME", "t.dbf"}, Kind::Run, {"t.dbf"}, "NAME", false},
        ParseCase{"DoubleDashEndsOptions", {"--", "--json"}, Kind::Run, {"--json"}, "", false},
        ParseCase{"LoneDashIsAnArgument", {"-"}, Kind::Run, {"-"}, "", false},
        ParseCase{"HelpAnywhere", {"t.dbf", "--help"}, Kind::Help, {}, ""},
        ParseCase{"ShortHelp", {"-h"}, Kind::Help, {}, ""},
        ParseCase{"UnknownOption",
                  {"t.dbf", "--jsn"},
                  Kind::Error,
                  {},
                  "",
                  false,
                  "unknown option --jsn"},
        ParseCase{"MissingValue",
                  {"t.dbf", "--tag"},
                  Kind::Error,
                  {},
                  "",
                  false,
                  "--tag needs a value (NAME)"},
        ParseCase{
            "FlagWithValue", {"t.dbf", "--json=yes"}, Kind::Error, {}, "", false, "takes no value"},
        ParseCase{"OptionTwice",
                  {"t.dbf", "--json", "--json"},
                  Kind::Error,
                  {},
                  "",
                  false,
                  "given twice"},
        ParseCase{"TooFewArguments", {"--json"}, Kind::Error, {}, "", false, "dump needs FILE"},
        ParseCase{
            "TooManyArguments", {"a.dbf", "b.dbf"}, Kind::Error, {}, "", false, "not \"b.dbf\""}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(RunTool, DispatchesAndExplainsBadLines) {
    std::string ran;
    const ToolDescription tool{
        "zx-test",
        "A tool for tests.",
        7,
        {{kDump, [&](const ParsedCommand& c, std::ostream& out, std::ostream&) {
              ran = c.argument(0) + (c.has("--json") ? " json" : "");
              out << "done\n";
              return 3;
          }}}};
    struct Line {
        std::vector<std::string> args;
        int status;
        std::string out, err;  // fragments
    };
    const Line lines[] = {
        {{"dump", "--json", "t.dbf"}, 3, "done", ""},
        {{"dump", "--help"}, 0, "usage: zx-test dump FILE [--tag NAME] [--json]", ""},
        {{"help", "dump"}, 0, "--tag NAME  tag order", ""},
        {{"--help"}, 0, "commands:\n  dump FILE [--tag NAME] [--json]\n      the records", ""},
        {{}, 7, "", "usage: zx-test COMMAND"},
        {{"dunp", "t.dbf"}, 7, "", "zx-test: unknown command dunp"},
        {{"dump"}, 7, "", "zx-test: dump needs FILE\nusage: zx-test dump FILE"},
    };
    for (const Line& line : lines) {
        std::ostringstream out, err;
        EXPECT_EQ(line.status, runTool(tool, line.args, out, err)) << err.str();
        EXPECT_NE(std::string::npos, out.str().find(line.out)) << out.str();
        EXPECT_NE(std::string::npos, err.str().find(line.err)) << err.str();
    }
    EXPECT_EQ("t.dbf json", ran);
}

}  // namespace
}  // namespace zentrix::tools
