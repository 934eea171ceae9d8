#pragma once

// The command of a desktop entry (the shortcuts the install makes): the
// Exec key of its [Desktop Entry] group unescaped and split into the
// program and its arguments as the desktop-entry rules say, with its
// working folder (Path). Lets scripts and tests start an installed
// shortcut exactly as a desktop would.

#include <string>
#include <vector>

#include "platform/status.h"

namespace zentrix::setup {

struct DesktopCommand {
    std::vector<std::string> arguments;  // program first
    std::string workingDir;

    // Reads the entry's text. Fails, naming the fault, for a text without a
    // [Desktop Entry] group or Exec key, or with bad quoting or escapes.
    static platform::Result<DesktopCommand> parse(const std::string& entryText);
    // One Exec value into its arguments (field codes dropped, "%%" kept as "%").
    static platform::Result<std::vector<std::string>> splitExec(const std::string& exec);

    // Starts the entry's command in place of this process; gives the exit
    // status only when that failed.
    static int runEntry(const std::string& entryFile);
};

}  // namespace zentrix::setup
