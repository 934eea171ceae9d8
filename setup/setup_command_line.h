#pragma once

// The setup program's command line. The uninstall is chosen the way the
// uninstaller's shortcut starts it: any argument that contains "-u" selects
// it (of the program's own path, its file name), and argument 2 names the
// uninstall script in the Windows folder. The program's own long options
// (--unattended and the rest) and their values are taken out first, so that
// "--unattended" or a target folder such as /srv/my-uni never counts as "-u".

#include <optional>
#include <string>
#include <vector>

namespace zentrix::setup {

struct SetupCommandLine {
    // The program path and every argument that is not one of our options.
    std::vector<std::string> arguments;

    bool unattended = false;                 // --unattended
    std::optional<std::string> target;       // --target FOLDER: the folder for a fresh install
    bool noRun = false;                      // --no-run: start no program after the install
    std::optional<std::string> runShortcut;  // --run-shortcut ENTRY: start an installed shortcut
    bool help = false;                       // --help
    std::string error;                       // a usage error, empty when the line is fine

    static SetupCommandLine parse(const std::vector<std::string>& argv);

    // True when an argument contains "-u".
    bool selectsUninstall() const;
    // Argument 2: the uninstall script's file name; empty when missing.
    std::string uninstallScriptName() const;

    static const char* usage();
};

}  // namespace zentrix::setup
