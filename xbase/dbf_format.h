#pragma once

// Byte layout of DBF tables and FPT memo files, shared by reader and writer.
// docs/formats/dbf.md and docs/formats/fpt.md describe them in prose.

#include <cstdint>
#include <cstring>

namespace zentrix::xbase::dbf {

// Table header (32 bytes), then one 32-byte descriptor per field, then 0x0D;
// Visual FoxPro tables add a 263-byte backlink to their database container.
constexpr int kHeaderSize = 32;
constexpr int kFieldDescriptorSize = 32;
constexpr uint8_t kHeaderTerminator = 0x0D;
constexpr int kVfpBacklinkSize = 263;
constexpr uint8_t kEofMarker = 0x1A;
constexpr uint8_t kDeletedMark = '*';
constexpr uint8_t kLiveMark = ' ';

// Header offsets.
constexpr int kVersionAt = 0;
constexpr int kDateAt = 1;           // year - 1900, month, day
constexpr int kRecordCountAt = 4;    // uint32 little-endian
constexpr int kHeaderLengthAt = 8;   // uint16 little-endian
constexpr int kRecordLengthAt = 10;  // uint16 little-endian
constexpr int kTableFlagsAt = 28;
constexpr int kCodePageAt = 29;

// Field descriptor offsets.
constexpr int kFieldNameLength = 11;  // NUL-padded, at most 10 characters used
constexpr int kFieldTypeAt = 11;
constexpr int kFieldOffsetAt = 12;  // uint32; 0 when the writer left it out
constexpr int kFieldLengthAt = 16;
constexpr int kFieldDecimalsAt = 17;
constexpr int kFieldFlagsAt = 18;

// Version bytes.
constexpr uint8_t kVersionDbase3 = 0x03;
constexpr uint8_t kVersionDbase3Memo = 0x83;
constexpr uint8_t kVersionDbase4Memo = 0x8B;
constexpr uint8_t kVersionFoxPro2Memo = 0xF5;
constexpr uint8_t kVersionVfp = 0x30;
constexpr uint8_t kVersionVfpAutoinc = 0x31;
constexpr uint8_t kVersionVfpVarchar = 0x32;

// Table flags (byte 28).
constexpr uint8_t kFlagProductionIndex = 0x01;
constexpr uint8_t kFlagMemo = 0x02;  // Visual FoxPro only

// Field flags (Visual FoxPro).
constexpr uint8_t kFieldFlagSystem = 0x01;
constexpr uint8_t kFieldFlagNullable = 0x02;
constexpr uint8_t kFieldFlagBinary = 0x04;

// Memo pointers: FoxPro 2.x writes a 10-character right-aligned decimal block
// number (blank for none); Visual FoxPro a 4-byte little-endian one.
constexpr int kTextMemoPointerLength = 10;
constexpr int kBinaryMemoPointerLength = 4;

// Writers hold an fcntl lock on one byte far beyond any real record offset
// for the span of a commit; readers never need it. Other xBase engines lock
// in the same high region, so a byte there never hides data.
constexpr uint64_t kCommitLockOffset = 0x7FFFFFFE;
constexpr uint64_t kCommitLockLength = 1;

inline bool isVisualFoxPro(uint8_t version) {
    return version == kVersionVfp || version == kVersionVfpAutoinc || version == kVersionVfpVarchar;
}

inline uint16_t readU16le(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t readU32le(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint32_t readU32be(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline uint16_t readU16be(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline void writeU16le(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void writeU32le(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
inline void writeU32be(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * (3 - i)));
}
inline void writeU16be(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}

}  // namespace zentrix::xbase::dbf

namespace zentrix::xbase::fpt {

// Header: next free block (uint32 big-endian) at 0, block size (uint16
// big-endian) at 6; the first 512 bytes are the header. Each memo starts on a
// block boundary: type (uint32 big-endian), length (uint32 big-endian), data.
constexpr int kHeaderSize = 512;
constexpr int kNextFreeAt = 0;
constexpr int kBlockSizeAt = 6;
constexpr int kBlockHeaderSize = 8;
constexpr uint32_t kTypePicture = 0;  // byte memos
constexpr uint32_t kTypeText = 1;
constexpr uint32_t kTypeObject = 2;

inline uint32_t firstFreeBlock(uint32_t blockSize) {
    return (kHeaderSize + blockSize - 1) / blockSize;
}

}  // namespace zentrix::xbase::fpt
