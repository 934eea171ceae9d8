#pragma once

// File versions of programs and libraries, and how the update decides that
// a file on the medium is newer than the installed one.

#include <string>

#include "platform/status.h"

namespace zentrix::platform {

struct VersionQuad {
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;
    bool operator==(const VersionQuad&) const = default;
};

// The version text of a file: the "FileVersion" string of a PE version
// resource (the string table of its first translation, else "040904E4"),
// or, when that is empty, its fixed version as "a.b.c.d"; the version note
// of our own ELF files. Empty for a file without a version or that cannot
// be read.
std::string FileVersionText(const std::string& path);

// The same with the reason when the file is damaged or unreadable.
Result<std::string> readFileVersion(const std::string& path);

// Commas count as full stops; four parts separated by full stops, each a
// decimal number with leading blanks allowed; a missing part or one that is
// not a number gives 0.
VersionQuad ParseVersionText(const std::string& text);

// True when any part of a is greater than the same part of b, each part
// compared on its own: 1.5.0.0 counts as newer than 2.0.0.0 and the other
// way round. The update relies on this: a medium copy whose build number
// is higher replaces the installed file even when its minor number is lower.
bool IsNewerVersion(const VersionQuad& a, const VersionQuad& b);

}  // namespace zentrix::platform
