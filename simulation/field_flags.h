#pragma once

// Bits of a text field's FieldFlags word and what the player does with them.
// Those that announce data in the file are in simulation_layout.h as well.

#include <cstdint>

#include "simulation/simulation_layout.h"

namespace zentrix::simulation::fieldflag {

inline constexpr std::uint32_t kSkipCheck = 0x1;   // the text is not judged
inline constexpr std::uint32_t kSingleLine = 0x2;  // one line, shown as "*"
inline constexpr std::uint32_t kBorder = 0x4;
inline constexpr std::uint32_t kAlignRight = 0x8;    // multi-line only
inline constexpr std::uint32_t kAlignLeft = 0x10;    // multi-line only
inline constexpr std::uint32_t kAlignCenter = 0x20;  // multi-line only
inline constexpr std::uint32_t kFontName = layout::kFieldFontName;
inline constexpr std::uint32_t kBold = 0x80;
inline constexpr std::uint32_t kItalic = 0x100;
inline constexpr std::uint32_t kUnderline = 0x200;
inline constexpr std::uint32_t kStrikeOut = 0x400;
inline constexpr std::uint32_t kFontColor = layout::kFieldFontColor;
inline constexpr std::uint32_t kFontSize = layout::kFieldFontSize;
inline constexpr std::uint32_t kBackColor = layout::kFieldBackColor;
inline constexpr std::uint32_t kSameAs = layout::kFieldSameAs;
inline constexpr std::uint32_t kAnswer = layout::kFieldAnswer;
inline constexpr std::uint32_t kWordWrap = 0x20000;  // multi-line only
inline constexpr std::uint32_t kRequired = 0x40000;
inline constexpr std::uint32_t kLinked = layout::kFieldLink;
inline constexpr std::uint32_t kShowCarriedText = 0x100000;
inline constexpr std::uint32_t kDisabled = 0x200000;
inline constexpr std::uint32_t kAlternatives = layout::kFieldAlternatives;
inline constexpr std::uint32_t kSkipFocus = 0x800000;  // passes the focus on
inline constexpr std::uint32_t kBackColorIsValue = layout::kFieldBackColorIsValue;
inline constexpr std::uint32_t kMatchCase = 0x2000000;
inline constexpr std::uint32_t kCheckOnChange = 0x4000000;
inline constexpr std::uint32_t kSubmitOnClick = 0x8000000;

}  // namespace zentrix::simulation::fieldflag
