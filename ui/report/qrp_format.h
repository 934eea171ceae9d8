#pragma once

// The saved-report file (".qrp"): a report's finished pages as drawing
// commands. Shared by the writer and the reader; docs/formats/qrp.md walks
// through the layout with an example.
//
//   offset  size  what
//   0       8     magic 89 'Z' 'X' 'Q' 'R' 'P' 0D 0A
//   8       2     format version (kVersion)
//   10      2     reserved, 0
//   12      4     payload length in bytes
//   16      4     CRC-32 (zlib's) of the payload
//   20      4     page count
//   24      ...   payload: records of 1 byte kind, 4 bytes body length, body
//
// All numbers little-endian; coordinates and sizes are IEEE doubles in points
// from the page's top-left corner; colours 0xAARRGGBB; strings a 4-byte byte
// length and UTF-8.

#include <cstdint>

namespace zentrix::report::qrp {

inline constexpr char kMagic[8] = {'\x89', 'Z', 'X', 'Q', 'R', 'P', '\r', '\n'};
inline constexpr uint16_t kVersion = 1;
inline constexpr int kHeaderSize = 24;
inline constexpr int kRecordHeaderSize = 5;

enum class Record : uint8_t {
    Title = 1,  // string
    Font = 2,   // f64 point size, u8 flags (1 bold, 2 italic, 4 underline), string family
    Page = 3,   // f64 width, f64 height; starts a page, later commands belong to it
    Text = 4,   // f64 x, f64 baseline y, u32 font index, u32 colour, string
    Line = 5,   // f64 x1, y1, x2, y2, width, u32 colour
    Rect = 6,   // f64 x, y, w, h, pen width, u32 pen colour, u32 fill colour
    Clip = 7,   // f64 x, y, w, h; an empty rectangle lifts the clip
    Image = 8,  // f64 x, y, w, h, u32 pixel width, u32 pixel height, zlib stream of
                // premultiplied ARGB32 rows (width * 4 bytes each, top row first)
};

// What the reader accepts; anything beyond is damage, not a bigger report.
inline constexpr int64_t kMaxFileSize =
    64ll * 1024 * 1024;  // a 500-question guide takes well under 1 MiB
inline constexpr int kMaxPages = 20000;
inline constexpr int kMaxFonts = 4096;
inline constexpr double kMaxCoordinate = 1e6;
inline constexpr double kMinPageSide = 1;
inline constexpr double kMaxPageSide = 14400;  // 200 inches, the largest PDF page
inline constexpr int kMaxImageSide = 8192;
inline constexpr int64_t kMaxImagePixels = 16ll * 1024 * 1024;

}  // namespace zentrix::report::qrp
