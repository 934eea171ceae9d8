#include "platform/linux/desktop_entry.h"

#include "base/ascii_text.h"

namespace zentrix::platform {

std::string DesktopEntry::entryPath(const std::string& linkPath) {
    const std::string extension = ".lnk";
    if (linkPath.size() > extension.size() &&
        base::ascii::equalsIgnoringCase(
            std::string_view(linkPath).substr(linkPath.size() - extension.size()), extension)) {
        return linkPath.substr(0, linkPath.size() - extension.size()) + ".desktop";
    }
    return linkPath + ".desktop";
}

std::string DesktopEntry::execArgument(const std::string& argument) {
    // Inside double quotes: " ` $ \ take a backslash; % is doubled in any case.
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

std::string DesktopEntry::text(const std::string& name, const ShortcutSpec& shortcut,
                               const std::vector<std::string>& arguments,
                               bool launchThroughOpener) {
    std::string exec = launchThroughOpener ? "xdg-open " : "";
    exec += execArgument(shortcut.target);
    for (const std::string& argument : arguments) exec += " " + execArgument(argument);

    std::string out = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
    out += "Name=" + base::ascii::backslashEscaped(name) + "\n";
    if (!shortcut.description.empty())
        out += "Comment=" + base::ascii::backslashEscaped(shortcut.description) + "\n";
    // The quoting rules apply first, then the general escapes of the value.
    out += "Exec=" + base::ascii::backslashEscaped(exec) + "\n";
    if (!shortcut.workingDir.empty())
        out += "Path=" + base::ascii::backslashEscaped(shortcut.workingDir) + "\n";
    out += "Terminal=false\n";
    return out;
}

}  // namespace zentrix::platform
