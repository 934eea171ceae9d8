#pragma once

// The command lines of the tools (zentrix-dbf, zentrix-bank, zentrix-sim):
// "TOOL COMMAND [ARGUMENTS] [OPTIONS]", with the options anywhere after the
// command, before or after the positional arguments, as "--name", "--name
// VALUE" or "--name=VALUE"; "--" ends the options. "--help" (or "-h") after
// the tool or after a command prints that usage and exits 0.
//
// A tool is one table of ToolCommand rows, each with the command's name, its
// arguments and options and the function that runs it; adding a command is
// adding a row.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace zentrix::tools {

struct OptionSpec {
    std::string name;       // "--tag"
    std::string valueName;  // "NAME"; empty for a flag
    std::string help;
};

struct CommandSpec {
    static constexpr size_t kAnyCount = static_cast<size_t>(-1);

    std::string name;       // "dump"
    std::string arguments;  // "FILE", as the usage line shows them
    std::string summary;    // one line of what it does
    size_t minArguments = 0;
    size_t maxArguments = 0;  // kAnyCount: no upper limit
    std::vector<OptionSpec> options = {};
};

// What one command line asked for.
class ParsedCommand {
public:
    const std::vector<std::string>& arguments() const { return arguments_; }
    const std::string& argument(size_t i) const { return arguments_.at(i); }
    bool has(const std::string& option) const { return options_.count(option) > 0; }
    // The option's value; empty when it was not given.
    std::string value(const std::string& option) const;

private:
    friend struct CommandLineParser;
    std::vector<std::string> arguments_;
    std::map<std::string, std::string> options_;
};

struct ParseOutcome {
    enum class Kind { Run, Help, Error };
    Kind kind = Kind::Error;
    ParsedCommand command;
    std::string error;  // for Kind::Error: what is wrong, without the usage
};

struct CommandLineParser {
    // Parses the words after the command's name.
    static ParseOutcome parse(const CommandSpec& spec, const std::vector<std::string>& words);
};

// "usage: TOOL NAME ARGUMENTS [OPTIONS]" with the summary and one line per option.
std::string commandUsage(const std::string& tool, const CommandSpec& spec);

struct ToolCommand {
    CommandSpec spec;
    std::function<int(const ParsedCommand&, std::ostream& out, std::ostream& err)> run;
};

struct ToolDescription {
    std::string name;     // "zentrix-dbf"
    std::string summary;  // one line
    int usageError = 2;   // exit status of a bad command line
    std::vector<ToolCommand> commands;
};

// Every command's usage line and summary.
std::string toolUsage(const ToolDescription& tool);

// Finds the command, parses its words and runs it. A bad command line gives
// the tool's usage-error status with the reason and the command's usage on
// `err`; help goes to `out` with status 0.
int runTool(const ToolDescription& tool, const std::vector<std::string>& args, std::ostream& out,
            std::ostream& err);

}  // namespace zentrix::tools
