#pragma once

// Folder texts: a folder is named with a trailing separator and file names are
// appended to it directly ("bank/" + "TESTHIST"). Folders arrive from the
// registry, from setup scripts and from tables written on Windows, with or
// without the separator and with backslashes; this is the one rule that turns
// them into such a folder text.

#include <algorithm>
#include <string>

namespace zentrix::xbase {

// `folder` with backslashes turned into '/' and a trailing '/'; an empty text
// stays empty (the current folder).
inline std::string asFolderText(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (!folder.empty() && folder.back() != '/') folder.push_back('/');
    return folder;
}

}  // namespace zentrix::xbase
