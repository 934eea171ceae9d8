#pragma once

// Shortcuts as freedesktop.org desktop entries: a ".lnk" name becomes a
// ".desktop" file with the target, working folder, description and
// arguments of the shortcut.

#include <string>
#include <vector>

#include "platform/shell.h"

namespace zentrix::platform {

class DesktopEntry {
public:
    // "dir/Zentrix.lnk" -> "dir/Zentrix.desktop"; other names get ".desktop" added.
    static std::string entryPath(const std::string& linkPath);

    // The entry's text. `launchThroughOpener` starts the target with the
    // desktop's opener, for targets that are documents rather than programs.
    static std::string text(const std::string& name, const ShortcutSpec& shortcut,
                            const std::vector<std::string>& arguments, bool launchThroughOpener);

    // One Exec argument, quoted and escaped as the desktop-entry rules ask.
    static std::string execArgument(const std::string& argument);
};

}  // namespace zentrix::platform
