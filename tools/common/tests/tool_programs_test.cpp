// The three tools as people run them: options before or after the arguments,
// and --help for the tool and every command.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ProgramRun {
    std::string out;
    int status = -1;
};

ProgramRun runProgram(const std::string& program, const std::string& args) {
    const std::string command = program + " " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ProgramRun run;
    if (!pipe) return run;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const std::string kSource = ZENTRIX_SOURCE_DIR;
const std::string kTable = kSource + "/xbase/tests/data/sample/ptest.dbf";
const std::string kSimulation = kSource + "/simulation/tests/fixtures/seeds/basic-0x0101.qsf";

struct ProgramCase {
    const char* name;
    std::string program;
    std::string args;
    int status;
    std::string output;  // a fragment of stdout and stderr
};

class ToolProgram : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(ToolProgram, TakesItsCommandLine) {
    const ProgramCase& c = GetParam();
    const ProgramRun run = runProgram(c.program, c.args);
    EXPECT_EQ(c.status, run.status) << run.out;
    EXPECT_NE(std::string::npos, run.out.find(c.output)) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ToolProgram,
    ::testing::Values(
        ProgramCase{"DbfJsonBeforeFile", ZENTRIX_DBF_TOOL, "dump --json " + kTable, 0,
                    "\"recno\": 1"},
        ProgramCase{"DbfFlagsBeforeFile", ZENTRIX_DBF_TOOL, "dump --deleted --json " + kTable, 0,
                    "OLD-001"},
        ProgramCase{"DbfTagBeforeFile", ZENTRIX_DBF_TOOL, "dump --tag id " + kTable, 0,
                    "4\t \tCLD-110"},
        ProgramCase{"DbfHelp", ZENTRIX_DBF_TOOL, "--help", 0, "  reindex FILE"},
        ProgramCase{"DbfInfoHelp", ZENTRIX_DBF_TOOL, "info --help", 0,
                    "usage: zentrix-dbf info FILE"},
        ProgramCase{"DbfDumpHelp", ZENTRIX_DBF_TOOL, "dump --help", 0, "--deleted"},
        ProgramCase{"DbfCheckHelp", ZENTRIX_DBF_TOOL, "check --help", 0,
                    "usage: zentrix-dbf check FILE"},
        ProgramCase{"DbfReindexHelp", ZENTRIX_DBF_TOOL, "reindex --help", 0,
                    "usage: zentrix-dbf reindex FILE"},
        ProgramCase{"DbfUnknownOption", ZENTRIX_DBF_TOOL, "info --json " + kTable, 2,
                    "unknown option --json"},
        ProgramCase{"BankHelp", ZENTRIX_BANK_TOOL, "--help", 0, "  delete-question DIR EXAMID NUM"},
        ProgramCase{"BankInitHelp", ZENTRIX_BANK_TOOL, "init --help", 0,
                    "usage: zentrix-bank init DIR"},
        ProgramCase{"BankImportHelp", ZENTRIX_BANK_TOOL, "import --help", 0, "--replace"},
        ProgramCase{"BankExportHelp", ZENTRIX_BANK_TOOL, "export --help", 0, "DIR EXAMID OUTDIR"},
        ProgramCase{"BankTreeHelp", ZENTRIX_BANK_TOOL, "tree --help", 0, "--no-mixed"},
        ProgramCase{"BankDumpHelp", ZENTRIX_BANK_TOOL, "dump --help", 0, "record numbers"},
        ProgramCase{"BankRenumberHelp", ZENTRIX_BANK_TOOL, "renumber --help", 0, "FROM TO"},
        ProgramCase{"BankDeleteHelp", ZENTRIX_BANK_TOOL, "delete-question --help", 0, "NUM"},
        ProgramCase{"BankPackHelp", ZENTRIX_BANK_TOOL, "pack --help", 0, "DIR [EXAMID]"},
        ProgramCase{"BankOptionsBefore", ZENTRIX_BANK_TOOL,
                    "tree --json --no-mixed /nonexistent-zentrix-bank", 1, "zentrix-bank:"},
        ProgramCase{"SimJsonBeforeFile", ZENTRIX_SIM_TOOL, "info --json " + kSimulation, 0,
                    "\"FrameCount\": 3"},
        ProgramCase{"SimHelp", ZENTRIX_SIM_TOOL, "--help", 0, "  info FILE [--json]"},
        ProgramCase{"SimBuildHelp", ZENTRIX_SIM_TOOL, "build --help", 0, "--version 0xVVVV"},
        ProgramCase{"SimInfoHelp", ZENTRIX_SIM_TOOL, "info --help", 0,
                    "usage: zentrix-sim info FILE"},
        ProgramCase{"SimVersionBeforeFiles", ZENTRIX_SIM_TOOL,
                    "build --version 0x0999 a.json b.qsf", 1, "unknown version 0x0999"}),
    [](const ::testing::TestParamInfo<ProgramCase>& info) { return info.param.name; });

}  // namespace
