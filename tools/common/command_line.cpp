#include "tools/common/command_line.h"

#include <algorithm>
#include <ostream>

namespace zentrix::tools {

namespace {

bool isHelp(const std::string& word) { return word == "--help" || word == "-h"; }

const OptionSpec* findOption(const CommandSpec& spec, const std::string& name) {
    for (const OptionSpec& option : spec.options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

std::string optionText(const OptionSpec& option) {
    return option.valueName.empty() ? option.name : option.name + " " + option.valueName;
}

std::string countText(size_t count) {
    return count == 1 ? "1 argument" : std::to_string(count) + " arguments";
}

}  // namespace

std::string ParsedCommand::value(const std::string& option) const {
    auto it = options_.find(option);
    return it == options_.end() ? std::string() : it->second;
}

ParseOutcome CommandLineParser::parse(const CommandSpec& spec,
                                      const std::vector<std::string>& words) {
    ParseOutcome outcome;
    auto refuse = [&outcome](std::string reason) {
        outcome.kind = ParseOutcome::Kind::Error;
        outcome.error = std::move(reason);
        return outcome;
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
            outcome.command.arguments_.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (isHelp(word)) {
            outcome.kind = ParseOutcome::Kind::Help;
            return outcome;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const OptionSpec* option = findOption(spec, name);
        if (!option) return refuse("unknown option " + name + " for " + spec.name);
        std::string value;
        if (option->valueName.empty()) {
            if (equals != std::string::npos) return refuse("option " + name + " takes no value");
        } else if (equals != std::string::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            return refuse("option " + name + " needs a value (" + option->valueName + ")");
        }
        if (outcome.command.options_.count(name))
            return refuse("option " + name + " is given twice");
        outcome.command.options_[name] = value;
    }
    const size_t count = outcome.command.arguments_.size();
    if (count < spec.minArguments) return refuse(spec.name + " needs " + spec.arguments);
    if (spec.maxArguments != CommandSpec::kAnyCount && count > spec.maxArguments) {
        return refuse(
            spec.name + " takes " +
            (spec.maxArguments == 0 ? "no arguments" : "at most " + countText(spec.maxArguments)) +
            ", not \"" + outcome.command.arguments_[spec.maxArguments] + "\"");
    }
    outcome.kind = ParseOutcome::Kind::Run;
    return outcome;
}

std::string commandUsage(const std::string& tool, const CommandSpec& spec) {
    std::string usage = "usage: " + tool + " " + spec.name;
    if (!spec.arguments.empty()) usage += " " + spec.arguments;
    for (const OptionSpec& option : spec.options) usage += " [" + optionText(option) + "]";
    usage += "\n  " + spec.summary + "\n";
    size_t width = 0;
    for (const OptionSpec& option : spec.options)
        width = std::max(width, optionText(option).size());
    for (const OptionSpec& option : spec.options) {
        const std::string text = optionText(option);
        usage += "  " + text + std::string(width - text.size() + 2, ' ') + option.help + "\n";
    }
    return usage;
}

std::string toolUsage(const ToolDescription& tool) {
    std::string usage = "usage: " + tool.name + " COMMAND [ARGUMENTS] [OPTIONS]\n" + tool.summary +
                        "\n\ncommands:\n";
    for (const ToolCommand& command : tool.commands) {
        const CommandSpec& spec = command.spec;
        std::string line = "  " + spec.name;
        if (!spec.arguments.empty()) line += " " + spec.arguments;
        for (const OptionSpec& option : spec.options) line += " [" + optionText(option) + "]";
        usage += line + "\n      " + spec.summary + "\n";
    }
    usage += "\n" + tool.name +
             " COMMAND --help describes one command; options may come before or after the "
             "arguments.\n";
    return usage;
}

int runTool(const ToolDescription& tool, const std::vector<std::string>& args, std::ostream& out,
            std::ostream& err) {
    if (args.empty()) {
        err << toolUsage(tool);
        return tool.usageError;
    }
    if (isHelp(args[0]) || args[0] == "help") {
        if (args.size() > 1) {
            for (const ToolCommand& command : tool.commands) {
                if (command.spec.name == args[1]) {
                    out << commandUsage(tool.name, command.spec);
                    return 0;
                }
            }
        }
        out << toolUsage(tool);
        return 0;
    }
    const auto found =
        std::find_if(tool.commands.begin(), tool.commands.end(),
                     [&](const ToolCommand& command) { return command.spec.name == args[0]; });
    if (found == tool.commands.end()) {
        err << tool.name << ": unknown command " << args[0] << "\n" << toolUsage(tool);
        return tool.usageError;
    }
    const ParseOutcome parsed = CommandLineParser::parse(
        found->spec, std::vector<std::string>(args.begin() + 1, args.end()));
    switch (parsed.kind) {
        case ParseOutcome::Kind::Help:
            out << commandUsage(tool.name, found->spec);
            return 0;
        case ParseOutcome::Kind::Error:
            err << tool.name << ": " << parsed.error << "\n"
                << commandUsage(tool.name, found->spec);
            return tool.usageError;
        case ParseOutcome::Kind::Run:
            break;
    }
    return found->run(parsed.command, out, err);
}

}  // namespace zentrix::tools
