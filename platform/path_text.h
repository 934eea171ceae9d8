#pragma once

// Setup scripts write paths the Windows way: backslashes, drive letters,
// "\" meaning the setup folder's drive root. nativePath() turns such a text
// into a path of this platform; on Linux backslashes become slashes, repeated
// separators collapse and a leading drive designator ("C:" or a bare ":" left
// by an empty drive placeholder) is dropped, as there is only one tree.

#include <string>
#include <string_view>

namespace zentrix::platform {

std::string nativePath(std::string_view scriptPath);

// Scripts name files as a case-insensitive file system finds them
// ("Install.ini" for install.ini). Gives the path of the existing file or
// folder whose names match without regard to case, trying the exact name
// first at every level; the path unchanged when nothing matches.
std::string resolvedIgnoringCase(const std::string& path);

// The text without trailing separators (either kind); a lone separator stays.
std::string withoutTrailingSeparators(std::string_view path);

}  // namespace zentrix::platform
