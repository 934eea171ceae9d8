#pragma once

// Constants of the Windows PE layout that the version reader needs.
// Layout notes: docs/formats/pe-version.md.

#include <cstdint>

namespace zentrix::platform::pe_format {

inline constexpr uint16_t kDosMagic = 0x5A4D;         // "MZ"
inline constexpr uint64_t kPeOffsetField = 0x3C;      // e_lfanew
inline constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
inline constexpr uint64_t kCoffHeaderSize = 20;
inline constexpr uint16_t kPe32Magic = 0x10B;
inline constexpr uint16_t kPe32PlusMagic = 0x20B;
inline constexpr uint32_t kResourceDirectoryIndex = 2;  // in the data directories
inline constexpr uint64_t kSectionHeaderSize = 40;
inline constexpr uint64_t kResourceDirectorySize = 16;
inline constexpr uint64_t kResourceEntrySize = 8;
inline constexpr uint32_t kSubdirectoryFlag = 0x80000000;
inline constexpr uint32_t kVersionResourceType = 16;  // RT_VERSION
inline constexpr uint64_t kBlockHeaderSize = 6;       // wLength, wValueLength, wType
inline constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
inline constexpr uint64_t kFixedFileInfoSize = 52;

}  // namespace zentrix::platform::pe_format
