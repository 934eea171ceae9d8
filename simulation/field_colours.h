#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace zentrix::simulation {

// Colours of simulation fields. A colour value holds red in the low byte, then
// green, then blue; values from 0x80000000 on name a system colour by their
// low byte, and two special values mean "no colour" and "the default".
class FieldColours {
public:
    static constexpr int kPaletteSize = 45;
    static constexpr std::uint32_t kNoColour = 0x1FFFFFFF;
    static constexpr std::uint32_t kDefaultColour = 0x20000000;
    static constexpr std::uint32_t kSystemColour = 0x80000000;
    static constexpr std::uint32_t kWindow = kSystemColour + 5;      // field background
    static constexpr std::uint32_t kWindowText = kSystemColour + 8;  // field text

    // The palette entry of a background index. Indices outside the palette
    // (negative, or 45 and more) give the window colour instead of reading
    // past the table.
    static std::uint32_t paletteEntry(std::int32_t index);

    // The colour a value stands for on this desktop. "No colour" is
    // transparent; the default, and system colours the desktop has no role
    // for, are the window colour.
    static QColor toColor(std::uint32_t value, const QPalette& palette);
};

}  // namespace zentrix::simulation
