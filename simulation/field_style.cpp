#include "simulation/field_style.h"

#include "simulation/field_colours.h"
#include "simulation/field_flags.h"
#include "simulation/zone_type.h"

namespace zentrix::simulation {

namespace {

constexpr const char* kDefaultFontName = "MS Sans Serif";
constexpr int kDefaultFontSize = 8;

}  // namespace

FieldStyle FieldStyle::of(const TZone& zone) {
    using namespace fieldflag;
    const std::uint32_t flags = zone.FieldFlags;
    const bool address = zone.ZoneType == static_cast<int>(ZoneType::Address);
    FieldStyle style;
    style.Kind = address                 ? FieldKind::Address
                 : (flags & kSingleLine) ? FieldKind::SingleLine
                                         : FieldKind::MultiLine;
    style.FontSize = (flags & kFontSize) ? zone.FontSize : kDefaultFontSize;
    style.FontColor = (flags & kFontColor) ? static_cast<std::uint32_t>(zone.FontColor)
                                           : FieldColours::kWindowText;
    style.BackColor = FieldColours::kWindow;
    if (flags & kBackColor) {
        // Address fields always take a palette index.
        style.BackColor = (!address && (flags & kBackColorIsValue))
                              ? static_cast<std::uint32_t>(zone.BackColor)
                              : FieldColours::paletteEntry(zone.BackColor);
    }
    style.Bold = flags & kBold;
    style.Italic = flags & kItalic;
    style.Underline = flags & kUnderline;
    style.StrikeOut = flags & kStrikeOut;
    if (address) {
        style.FontName = QString::fromLatin1(layout::kAddressFontName);
        return style;
    }

    style.FontName = (flags & kFontName) ? zone.FontName : QString::fromLatin1(kDefaultFontName);
    style.Border = flags & kBorder;
    if (style.Kind == FieldKind::MultiLine) {
        // In this order; the last one set wins.
        if (flags & kAlignLeft) style.Alignment = FieldAlignment::Left;
        if (flags & kAlignRight) style.Alignment = FieldAlignment::Right;
        if (flags & kAlignCenter) style.Alignment = FieldAlignment::Center;
        style.WordWrap = flags & kWordWrap;
    } else {
        style.Password = true;
    }
    style.EchoesLinks = (flags & kLinked) && zone.LinkFrame != 0;
    style.ShowsCarriedText = flags & kShowCarriedText;
    style.Disabled = flags & kDisabled;
    style.SkipFocus = flags & kSkipFocus;
    style.TabStop = !style.SkipFocus;
    style.CheckOnChange = flags & kCheckOnChange;
    style.SubmitOnClick = flags & kSubmitOnClick;
    const bool key = zone.ZoneType == static_cast<int>(ZoneType::Key);
    style.KeyField = key;
    style.SubmitOnEnter = !key && (style.Kind == FieldKind::MultiLine ||
                                   zone.ZoneType == static_cast<int>(ZoneType::EnterField));
    style.SubmitOnTab = zone.ZoneType == static_cast<int>(ZoneType::TabField);
    return style;
}

TTextAnswerStruct TTextAnswerStruct::of(const TZone& zone, int zoneIndex) {
    using namespace fieldflag;
    const std::uint32_t flags = zone.FieldFlags;
    TTextAnswerStruct slot;
    slot.ZoneIndex = zoneIndex;
    slot.TargetFrame = zone.TargetFrame;
    slot.Required = zone.ZoneType == static_cast<int>(ZoneType::Address) || (flags & kRequired);
    slot.SkipCheck = flags & kSkipCheck;
    if (flags & kSameAs) {
        slot.SameAsFrame = zone.SameAsFrame;
        slot.SameAsZone = zone.SameAsZone;
    }
    if (flags & kAnswer) slot.Expected = zone.AnswerText;
    return slot;
}

}  // namespace zentrix::simulation
