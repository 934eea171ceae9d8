#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "simulation/simulation_layout.h"

namespace zentrix::simulation {

// One zone of a frame as read from a simulation file: an area of the picture or
// a text field, the action it expects and the frame that follows. Parts that
// the file does not carry are 0, empty or false, except SoundIndex (-1).
// Frame and zone numbers are 1-based, as in the file.
struct TZone {
    std::int32_t ZoneId = 0;  // 1 for the first zone of the file, counting on across frames
    std::int32_t ZoneType = 0;
    std::uint8_t ZoneFlags = 0;
    std::int32_t TargetFrame = 0;  // 0: none (timed zones of 0x0110: the next frame)
    bool NeedCtrl = false;
    bool NeedAlt = false;
    bool NeedShift = false;

    // Rectangles and ellipses span point 0 (top-left) to point 1 (bottom-right);
    // polygons use the first PointCount points.
    std::array<QPoint, layout::kOutlinePoints> Points{};
    std::uint8_t Shape = 0;
    std::uint8_t PointCount = 0;

    // Text payload (types 1, 2, 8, 14); AnswerText also holds the key of a type 13 zone.
    std::uint32_t FieldFlags = 0;
    std::int32_t FontSize = 0;
    std::int32_t FontColor = 0;
    std::int32_t BackColor = 0;
    QString FontName;
    QString AnswerText;
    std::int32_t SameAsFrame = 0;
    std::int32_t SameAsZone = 0;
    std::int32_t LinkFrame =
        0;  // 0: no link, also when bit 0x80000 is set in a version without links
    std::int32_t LinkZone = 0;
    QStringList Alternatives;

    // Pointer spec (type 7, or zone flag bit 0 on other types).
    std::int32_t CursorCode = 0;
    QString CursorFileName;
    std::int32_t CursorRefFrame = 0;
    std::int32_t CursorRefZone = 0;
    std::int32_t CursorIndex = 0;  // into CursorFiles, for codes 22 and 23

    std::int32_t SoundIndex = -1;  // into Sounds, for type 15
    std::int32_t DelayTicks = 0;   // type 6, in 100 ms ticks

    QString CarriedText;  // empty after reading; filled during play

    bool hasPointer() const { return ZoneType == 7 || (ZoneFlags & layout::kZonePointerFlag); }

    bool operator==(const TZone&) const = default;
};

}  // namespace zentrix::simulation
