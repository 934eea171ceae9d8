#pragma once

// Script texts become paths of this platform: backslashes and drive
// designators give way to native separators (platform::nativePath), and
// names are matched against what exists the way a Windows file system
// matches them, without regard to case.

#include <string>

namespace zentrix::setup {

class ScriptPaths {
public:
    // nativePath(text), then every leading component that exists under
    // another case takes the name on disk; components that do not exist stay
    // as written. A last component with a wildcard ("*.*") stays as written.
    static std::string native(const std::string& scriptText);

    // `folder` and `name` joined with exactly one separator.
    static std::string join(const std::string& folder, const std::string& name);

    // Strips separators of either kind from both ends.
    static std::string stripSeparators(const std::string& text);

    // True when the path has a ".." component.
    static bool climbsUp(const std::string& path);
};

}  // namespace zentrix::setup
