#pragma once

// Byte layout of a FoxPro compound index (.cdx), shared by its reader and
// writer. docs/formats/cdx.md describes the whole file. Integers are
// little-endian except the record numbers and child offsets of interior
// nodes, which are big-endian.

#include <cstddef>
#include <cstdint>

namespace zentrix::xbase::cdx {

inline constexpr size_t kPageSize = 512;
inline constexpr size_t kHeaderSize = 1024;  // a tag header: 512 bytes + expression pool
inline constexpr uint32_t kNoPage = 0xFFFFFFFF;
inline constexpr int kMaxKeyLength = 240;
inline constexpr int kTagNameLength = 10;
inline constexpr int kMaxTreeDepth = 64;  // deeper than any real tree: a cycle

// Tag header (the tag directory at offset 0 has the same layout).
namespace header {
inline constexpr size_t kRoot = 0;
inline constexpr size_t kFreeList = 4;  // first free page; 0 or kNoPage for none (directory only)
inline constexpr size_t kChangeCounter = 8;
inline constexpr size_t kKeyLength = 12;  // u16; includes VFP's null marker byte
inline constexpr size_t kOptions = 14;
inline constexpr size_t kSignature = 15;
inline constexpr size_t kHeaderLength = 16;  // u16, 1024 (optional)
inline constexpr size_t kPageLength = 18;    // u16, 512 (optional)
// Reserved by every known writer; raised while a commit is in flight.
inline constexpr size_t kDirtyMark = 256;
inline constexpr char kDirtyMagic[4] = {'Z', 'X', 'D', 'Y'};
// Written with the dirty mark cleared: the table's record count the index was
// last brought up to date with, behind a magic so a stamp is never guessed
// from another writer's bytes.
inline constexpr size_t kTableStamp = 260;
inline constexpr char kStampMagic[4] = {'Z', 'X', 'R', 'C'};
inline constexpr size_t kDescending = 502;  // u16
inline constexpr size_t kForPosition = 504;
inline constexpr size_t kForLength = 506;  // includes the terminating NUL
inline constexpr size_t kKeyPosition = 508;
inline constexpr size_t kKeyLengthInPool = 510;  // includes the terminating NUL
inline constexpr size_t kPool = 512;
inline constexpr size_t kPoolSize = 512;
}  // namespace header

namespace option {
inline constexpr uint8_t kUnique = 0x01;
inline constexpr uint8_t kNullableKeys = 0x02;  // VFP: keys carry a leading null marker
inline constexpr uint8_t kCandidate = 0x04;     // VFP candidate key (unique)
inline constexpr uint8_t kForClause = 0x08;
inline constexpr uint8_t kCompact = 0x20;
inline constexpr uint8_t kCompound = 0x40;
inline constexpr uint8_t kDirectory = 0x80;
}  // namespace option

inline constexpr uint8_t kSignatureByte = 1;

// Node (page) layout common to interior nodes and leaves.
namespace node {
inline constexpr size_t kAttributes = 0;  // u16
inline constexpr size_t kKeyCount = 2;    // u16
inline constexpr size_t kLeft = 4;        // u32 sibling, kNoPage at the edge
inline constexpr size_t kRight = 8;
inline constexpr uint16_t kRootBit = 0x01;
inline constexpr uint16_t kLeafBit = 0x02;
}  // namespace node

// Interior node: from offset 12, entries of key bytes + big-endian record
// number + big-endian child offset. Each key is the greatest of its child.
namespace interior {
inline constexpr size_t kEntries = 12;
inline constexpr size_t kSpace = kPageSize - kEntries;
}  // namespace interior

// Leaf: a fixed-size info word per key from offset 24 (record number, then
// duplicate count, then trailing count, little-endian bit fields) and the
// keys' remaining bytes packed backwards from the end of the page.
namespace leaf {
inline constexpr size_t kFreeSpace = 12;      // u16
inline constexpr size_t kRecnoMask = 14;      // u32
inline constexpr size_t kDuplicateMask = 18;  // u8
inline constexpr size_t kTrailMask = 19;      // u8
inline constexpr size_t kRecnoBits = 20;      // u8
inline constexpr size_t kDuplicateBits = 21;  // u8
inline constexpr size_t kTrailBits = 22;      // u8
inline constexpr size_t kInfoBytes = 23;      // u8, bytes of one info word
inline constexpr size_t kEntries = 24;
inline constexpr size_t kSpace = kPageSize - kEntries;  // 488
inline constexpr int kMaxInfoBytes = 8;
}  // namespace leaf

// Little-endian fields of headers and leaves.
inline uint16_t readLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void writeLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void writeLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Null marker byte of VFP nullable keys.
inline constexpr uint8_t kNullMarker = 0x00;
inline constexpr uint8_t kNotNullMarker = 0x80;

}  // namespace zentrix::xbase::cdx
