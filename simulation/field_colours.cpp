#include "simulation/field_colours.h"

#include <array>

namespace zentrix::simulation {

namespace {

constexpr std::uint32_t system(int n) { return FieldColours::kSystemColour + n; }

constexpr std::array<std::uint32_t, FieldColours::kPaletteSize> kPalette = {
    0x000000,
    0x000080,
    0x008000,
    0x008080,
    0x800000,
    0x800080,
    0x808000,
    0x808080,
    0xC0C0C0,
    0x0000FF,
    0x00FF00,
    0x00FFFF,
    0xFF0000,
    0xFF00FF,
    0xFFFF00,
    0xC0C0C0,
    0x808080,
    0xFFFFFF,
    FieldColours::kNoColour,
    FieldColours::kDefaultColour,
    system(0),
    system(1),
    system(2),
    system(3),
    system(4),
    system(5),
    system(6),
    system(7),
    system(8),
    system(9),
    system(10),
    system(11),
    system(12),
    system(13),
    system(14),
    system(15),
    system(16),
    system(17),
    system(18),
    system(19),
    system(20),
    system(21),
    system(22),
    system(23),
    system(24)};

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop's nearest role for each system colour number.
constexpr std::array<SystemRole, 25> kSystemRoles = {{
    {QPalette::Active, QPalette::Button},             // 0 scroll bar
    {QPalette::Active, QPalette::Dark},               // 1 desktop
    {QPalette::Active, QPalette::Highlight},          // 2 active caption
    {QPalette::Inactive, QPalette::Mid},              // 3 inactive caption
    {QPalette::Active, QPalette::Window},             // 4 menu
    {QPalette::Active, QPalette::Base},               // 5 window
    {QPalette::Active, QPalette::Shadow},             // 6 window frame
    {QPalette::Active, QPalette::WindowText},         // 7 menu text
    {QPalette::Active, QPalette::Text},               // 8 window text
    {QPalette::Active, QPalette::HighlightedText},    // 9 caption text
    {QPalette::Active, QPalette::Button},             // 10 active border
    {QPalette::Inactive, QPalette::Button},           // 11 inactive border
    {QPalette::Active, QPalette::Dark},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},          // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},    // 14 highlight text
    {QPalette::Active, QPalette::Button},             // 15 button face
    {QPalette::Active, QPalette::Dark},               // 16 button shadow
    {QPalette::Disabled, QPalette::Text},             // 17 grey text
    {QPalette::Active, QPalette::ButtonText},         // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText},  // 19 inactive caption text
    {QPalette::Active, QPalette::Light},              // 20 button highlight
    {QPalette::Active, QPalette::Shadow},             // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},           // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},        // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},        // 24 tooltip background
}};

}  // namespace

std::uint32_t FieldColours::paletteEntry(std::int32_t index) {
    if (index < 0 || index >= kPaletteSize) return kWindow;
    return kPalette[static_cast<size_t>(index)];
}

QColor FieldColours::toColor(std::uint32_t value, const QPalette& palette) {
    if (value == kNoColour) return QColor(Qt::transparent);
    if (value >= kSystemColour) {
        const std::uint32_t n = value & 0xFF;
        const SystemRole role = n < kSystemRoles.size() ? kSystemRoles[n] : kSystemRoles[5];
        return palette.color(role.group, role.role);
    }
    if (value & 0xFF000000) return palette.color(QPalette::Active, QPalette::Base);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace zentrix::simulation
