#include "setup/placeholders.h"

#include "base/ascii_text.h"
#include "platform/path_text.h"

namespace zentrix::setup {

std::string ExpandPlaceholders(const std::string& value, const PlaceholderFolders& folders) {
    const size_t open = value.find('<');
    if (open == std::string::npos) return value;
    // The closing bracket is looked for after the opening one: a stray ">"
    // earlier in the value must not cut the text apart.
    const size_t close = value.find('>', open);
    if (close == std::string::npos) return value;

    const std::string prefix = value.substr(0, open);
    const std::string tag = value.substr(open, close - open + 1);
    const std::string rest = value.substr(close + 1);
    const std::pair<const char*, std::string> placeholders[] = {
        {"<InstallDir>", platform::withoutTrailingSeparators(folders.installDir)},
        {"<WindowsDir>", folders.windowsDir},
        {"<SystemDir>", folders.systemDir},
        {"<CurrentDrive>", folders.currentDrive},
    };
    for (const auto& [name, folder] : placeholders) {
        if (base::ascii::equalsIgnoringCase(tag, name)) return prefix + folder + rest;
    }
    return rest;
}

}  // namespace zentrix::setup
