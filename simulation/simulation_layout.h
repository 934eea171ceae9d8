#pragma once

// Byte layout of a simulation file, shared by the reader and the writer.
// docs/formats/simulation.md describes it per version. All integers are
// little-endian; strings are 8-bit Windows code page text ended by a zero byte.

#include <cstdint>

namespace zentrix::simulation::layout {

// File header (12 bytes).
inline constexpr int kHeaderSize = 12;
inline constexpr int kHeaderOriginOffset = 0;  // 2 bytes; we write 1, readers ignore it
inline constexpr int kHeaderVersionOffset = 2;
inline constexpr int kHeaderFileTypeOffset = 4;
inline constexpr int kHeaderRecordCountOffset = 5;
inline constexpr int kHeaderGifLengthOffset = 8;
inline constexpr std::uint16_t kHeaderOriginValue = 1;
inline constexpr std::uint8_t kSimulationFileType = 0;
inline constexpr int kMaxFrameRecords = 255;

// Frame record: length (2, itself included), zone count (1), reserved (1), zones.
inline constexpr int kFrameRecordHeaderSize = 4;
inline constexpr int kMaxFrameRecordSize = 0xFFFF;

// Zone record, versions 0x0101 to 0x0108.
inline constexpr int kRectZoneLeftOffset = 4;
inline constexpr int kRectZoneTargetOffset = 12;
inline constexpr int kRectZonePayloadOffset = 14;

// Zone record, versions 0x0109 and 0x0110.
inline constexpr int kOutlineOffset = 4;
inline constexpr int kOutlinePoints = 30;
inline constexpr int kOutlineShapeOffset = 244;
inline constexpr int kOutlinePointCountOffset = 245;
inline constexpr int kOutlineTargetOffset = 246;
inline constexpr int kOutlineDelayOffset = 248;    // 0x0110 only
inline constexpr int kOutlinePayloadOffset = 248;  // 0x0109
inline constexpr int kDelayedPayloadOffset = 252;  // 0x0110

// Zone flags.
inline constexpr std::uint8_t kZonePointerFlag = 0x01;
inline constexpr std::uint8_t kZoneCtrlFlag = 0x04;
inline constexpr std::uint8_t kZoneAltFlag = 0x08;
inline constexpr std::uint8_t kZoneShiftFlag = 0x10;

// Shapes.
inline constexpr std::uint8_t kShapeRectangle = 0;
inline constexpr std::uint8_t kShapeEllipse = 1;
inline constexpr std::uint8_t kShapeRectangleAlt = 2;
inline constexpr std::uint8_t kShapeEllipseAlt = 3;
inline constexpr std::uint8_t kShapePolygon = 4;

// Text payload parts, in file order after the 32-bit flag word.
inline constexpr std::uint32_t kFieldFontSize = 0x1000;             // 2 bytes
inline constexpr std::uint32_t kFieldFontColor = 0x800;             // 4 bytes
inline constexpr std::uint32_t kFieldBackColor = 0x2000;            // 2 bytes, 4 from 0x0108
inline constexpr std::uint32_t kFieldSameAs = 0x4000;               // frame byte, zone byte
inline constexpr std::uint32_t kFieldLink = 0x80000;                // frame byte, zone byte
inline constexpr std::uint32_t kFieldFontName = 0x40;               // string
inline constexpr std::uint32_t kFieldAnswer = 0x8000;               // string
inline constexpr std::uint32_t kFieldAlternatives = 0x400000;       // count byte, strings
inline constexpr std::uint32_t kFieldBackColorIsValue = 0x1000000;  // no data

// Pointer spec codes beyond the 22 standard pointers.
inline constexpr std::uint8_t kLastStandardCursor = 21;
inline constexpr std::uint8_t kCursorEmbedded = 22;
inline constexpr std::uint8_t kCursorReuse = 23;

// Timed zones: a delay that comes out as 0 waits this many 100 ms ticks.
inline constexpr std::int32_t kDefaultDelayTicks = 10;
inline constexpr std::int32_t kOldDelayFactor = 10;

// Font forced on address fields.
inline constexpr const char* kAddressFontName = "Courier New";

}  // namespace zentrix::simulation::layout
