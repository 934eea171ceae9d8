#pragma once

// The version note that the build writes into Zentrix's own ELF programs and
// libraries (zentrix_add_version_note in cmake/ZentrixHelpers.cmake): an ELF
// note of owner "Zentrix" and type 1 whose descriptor is the version text,
// zero-terminated. Layout notes: docs/formats/elf-version-note.md.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace zentrix::platform {

inline constexpr const char* kVersionNoteOwner = "Zentrix";
inline constexpr uint32_t kVersionNoteType = 1;

// nullopt when the bytes are not an ELF file or it carries no version note.
// Every offset and size is checked against the file.
Result<std::optional<std::string>> readElfVersionNote(std::string_view file);

}  // namespace zentrix::platform
