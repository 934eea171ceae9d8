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

// The text without trailing separators (either kind); a lone separator stays.
std::string withoutTrailingSeparators(std::string_view path);

}  // namespace zentrix::platform
