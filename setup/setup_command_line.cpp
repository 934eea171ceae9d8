#include "setup/setup_command_line.h"

namespace zentrix::setup {

SetupCommandLine SetupCommandLine::parse(const std::vector<std::string>& argv) {
    SetupCommandLine line;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= argv.size()) {
                line.error = word + " needs a value";
                return;
            }
            into = argv[++i];
        };
        if (i == 0) {
            line.arguments.push_back(word);
        } else if (word == "--unattended") {
            line.unattended = true;
        } else if (word == "--target") {
            value(line.target);
        } else if (word == "--no-run") {
            line.noRun = true;
        } else if (word == "--run-shortcut") {
            value(line.runShortcut);
        } else if (word == "--help" || word == "-h") {
            line.help = true;
        } else if (word.rfind("--", 0) == 0 && word.size() > 2) {
            line.error = "unknown option " + word;
        } else {
            line.arguments.push_back(word);
        }
    }
    if (line.target && line.target->empty()) line.error = "--target needs a folder";
    return line;
}

bool SetupCommandLine::selectsUninstall() const {
    for (size_t i = 0; i < arguments.size(); ++i) {
        // Of the program's own path only its file name counts: a medium
        // mounted at /media/cd-update must still install.
        std::string argument = arguments[i];
        if (i == 0) argument = argument.substr(argument.find_last_of("/\\") + 1);
        if (argument.find("-u") != std::string::npos) return true;
    }
    return false;
}

std::string SetupCommandLine::uninstallScriptName() const {
    return arguments.size() > 2 ? arguments[2] : std::string();
}

const char* SetupCommandLine::usage() {
    return "usage: zentrix-install [--unattended [--target FOLDER] [--no-run]]\n"
           "       zentrix-install [--unattended] -u UNINSTALL-SCRIPT\n"
           "       zentrix-install --run-shortcut DESKTOP-ENTRY\n"
           "\n"
           "Without options the setup window opens: it installs the product from the\n"
           "folder this program lies in (install.ini and the distribution files), or,\n"
           "when the product is installed, adds the medium's exam packages and updates\n"
           "older program files.\n"
           "\n"
           "  --unattended      run the same steps without a window: every question is\n"
           "                    answered Yes, progress and messages are printed, and\n"
           "                    the exit status is 1 when anything failed\n"
           "  --target FOLDER   the folder for a fresh install (an installed product is\n"
           "                    always extended and updated where it is)\n"
           "  --no-run          start no program after the install\n"
           "  -u SCRIPT         uninstall as the uninstall script in the Windows folder says\n"
           "  --run-shortcut E  start the command of a shortcut the install made\n";
}

}  // namespace zentrix::setup
