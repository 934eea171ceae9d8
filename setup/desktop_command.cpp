#include "setup/desktop_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <unistd.h>

#include "base/ascii_text.h"
#endif

namespace zentrix::setup {

using platform::Result;
using platform::Status;

namespace {

// The general escapes of string values: \s \n \t \r \\.
Result<std::string> unescapedValue(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) return Status::error("Exec: the value ends with a backslash");
        switch (value[i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            // Exec's own quoting escapes pass through to the second step.
            case '"':
            case '`':
            case '$':
                out += '\\';
                out += value[i];
                break;
            default:
                return Status::error(std::string("Exec: unknown escape \\") + value[i]);
        }
    }
    return out;
}

using base::ascii::trimmed;

}  // namespace

Result<std::vector<std::string>> DesktopCommand::splitExec(const std::string& exec) {
    std::vector<std::string> arguments;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == ' ' || c == '\t') {
            if (inWord) arguments.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '"') {
            inWord = true;
            for (++i;; ++i) {
                if (i >= exec.size()) return Status::error("Exec: a quoted argument is not closed");
                if (exec[i] == '"') break;
                if (exec[i] == '\\') {
                    if (i + 1 >= exec.size())
                        return Status::error("Exec: a quoted argument is not closed");
                    const char next = exec[++i];
                    if (next != '"' && next != '`' && next != '$' && next != '\\')
                        return Status::error(std::string("Exec: \\") + next + " inside quotes");
                    word += next;
                } else if (exec[i] == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
                    word += '%';
                    ++i;
                } else {
                    word += exec[i];
                }
            }
        } else if (c == '%') {
            if (i + 1 >= exec.size()) return Status::error("Exec: a lone % at the end");
            const char code = exec[++i];
            if (code == '%') {
                word += '%';
                inWord = true;
            } else if (std::strchr("fFuUdDnNickvm", code) == nullptr) {
                return Status::error(std::string("Exec: unknown field code %") + code);
            }
            // Field codes stand for files and names a launcher would pass: none here.
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) arguments.push_back(word);
    if (arguments.empty()) return Status::error("Exec: no program");
    return arguments;
}

Result<DesktopCommand> DesktopCommand::parse(const std::string& entryText) {
    DesktopCommand command;
    bool inEntry = false, sawEntry = false, sawExec = false;
    size_t start = 0;
    while (start <= entryText.size()) {
        size_t end = entryText.find('\n', start);
        if (end == std::string::npos) end = entryText.size();
        const std::string line = trimmed(entryText.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            sawEntry = sawEntry || inEntry;
            continue;
        }
        if (!inEntry) continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (key == "Exec") {
            ZX_TRY_ASSIGN(const std::string unescaped, unescapedValue(value));
            ZX_TRY_ASSIGN(auto words, splitExec(unescaped));
            command.arguments = std::move(words);
            sawExec = true;
        } else if (key == "Path") {
            ZX_TRY_ASSIGN(auto unescaped, unescapedValue(value));
            command.workingDir = unescaped;
        }
    }
    if (!sawEntry) return Status::error("no [Desktop Entry] group");
    if (!sawExec) return Status::error("no Exec key");
    return command;
}

int DesktopCommand::runEntry(const std::string& entryFile) {
    std::ifstream in(entryFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read: %s\n", entryFile.c_str(), std::strerror(errno));
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Result<DesktopCommand> command = parse(text);
    if (!command) {
        std::fprintf(stderr, "%s: %s\n", entryFile.c_str(), command.message().c_str());
        return 1;
    }
#ifdef _WIN32
    std::fprintf(stderr, "%s: starting shortcuts is not supported here\n", entryFile.c_str());
    return 1;
#else
    if (!command->workingDir.empty() && ::chdir(command->workingDir.c_str()) != 0) {
        std::fprintf(stderr, "%s: %s: %s\n", entryFile.c_str(), command->workingDir.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::vector<char*> argv;
    for (std::string& word : command->arguments) argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    std::fprintf(stderr, "%s: cannot start %s: %s\n", entryFile.c_str(), argv[0],
                 std::strerror(errno));
    return 1;
#endif
}

}  // namespace zentrix::setup
