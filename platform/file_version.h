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

// True when a is a later version than b, the parts compared in order of
// significance: 2.0.0.16 is newer than 2.0.0.15, and 1.9.0.20 is not newer
// than 2.0.0.15. Comparing each part on its own would let an update replace
// an installed program with an older one merely because a lesser part is
// higher, so the order of significance is kept.
bool IsNewerVersion(const VersionQuad& a, const VersionQuad& b);

}  // namespace zentrix::platform
