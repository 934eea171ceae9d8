#pragma once

// The version resource of a Windows PE file (program or library): the
// VS_VERSIONINFO block of resource type 16, with its fixed file version,
// its translation list and its string tables. Every offset, size and count
// read from the file is checked against the file; a damaged file gives an
// error, never a read outside it. Layout notes: docs/formats/pe-version.md.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace zentrix::platform {

struct PeVersionResource {
    std::optional<std::pair<uint32_t, uint32_t>> fixedFileVersion;  // high, low words
    std::vector<std::pair<uint16_t, uint16_t>> translations;        // language, code page
    struct StringTable {
        std::string key;  // eight hex digits: language and code page
        std::vector<std::pair<std::string, std::string>> strings;  // name, value (UTF-8)
    };
    std::vector<StringTable> stringTables;

    // The value of `name` in the table `tableKey`, both matched without
    // regard to case; empty when missing.
    std::string stringValue(const std::string& tableKey, const std::string& name) const;
};

// nullopt when the bytes are not a PE file or it has no version resource.
Result<std::optional<PeVersionResource>> readPeVersionResource(std::string_view file);

// The VS_VERSIONINFO block itself (resource data), for the parts above.
Result<PeVersionResource> parseVersionInfoBlock(std::string_view data);

}  // namespace zentrix::platform
