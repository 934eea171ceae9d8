#pragma once

// Placeholder expansion of setup-script values: the first "<...>" tag of a
// value is replaced by the folder it names.

#include <string>

namespace zentrix::setup {

// The folders a running flow substitutes; it takes them anew at its start.
struct PlaceholderFolders {
    std::string installDir;    // "<InstallDir>", used without trailing separator
    std::string windowsDir;    // "<WindowsDir>"
    std::string systemDir;     // "<SystemDir>"
    std::string currentDrive;  // "<CurrentDrive>": the drive letter alone, or empty
};

// Expands at most one placeholder, the first "<" up to the first ">" after
// it: a known tag (matched without regard to case) gives prefix, folder and
// rest; an unknown tag gives the rest alone (prefix and tag dropped). A value
// without "<", or with "<" but no ">" after it, comes back unchanged; any
// later placeholder stays as written.
std::string ExpandPlaceholders(const std::string& value, const PlaceholderFolders& folders);

}  // namespace zentrix::setup
