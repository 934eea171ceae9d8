#pragma once

#include <QString>
#include <cstdint>

#include "simulation/tzone.h"

namespace zentrix::simulation {

enum class FieldKind { MultiLine, SingleLine, Address };
enum class FieldAlignment { Left, Right, Center };

// How a text, key or address field of a zone looks and behaves, worked out
// from its type and FieldFlags without any widget. Colours are colour values
// (FieldColours turns them into colours of the desktop).
struct FieldStyle {
    FieldKind Kind = FieldKind::MultiLine;
    FieldAlignment Alignment = FieldAlignment::Left;  // multi-line fields only
    bool Border = false;
    bool Password = false;  // single-line fields show every character as "*"
    int FontSize = 8;
    std::uint32_t FontColor = 0;
    std::uint32_t BackColor = 0;
    QString FontName;
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    bool WordWrap = false;  // multi-line fields only
    bool Disabled = false;
    bool TabStop = true;
    bool SkipFocus = false;    // passes the focus on when it gets it
    bool EchoesLinks = false;  // typing is echoed into linked fields
    bool ShowsCarriedText = false;
    bool CheckOnChange = false;  // judged after every change
    bool SubmitOnClick = false;
    bool SubmitOnEnter = false;  // Enter: multi-line fields and enter fields (type 1)
    bool KeyField = false;       // type 13: one key must be pressed, whatever its kind
    bool SubmitOnTab = false;    // type 8

    // Zone types 1, 2, 8 and 13 give text or key fields, 14 address fields.
    static FieldStyle of(const TZone& zone);
};

// The answer slot of one field of the frame shown.
struct TTextAnswerStruct {
    QString Expected;
    bool SkipCheck = false;
    std::int32_t TargetFrame = 0;
    std::int32_t ZoneIndex = 0;  // the zone's number within its frame, from 1
    std::int32_t SameAsFrame = -1;
    std::int32_t SameAsZone = -1;
    bool Required = false;

    // zoneIndex: the zone's number within the frame shown.
    static TTextAnswerStruct of(const TZone& zone, int zoneIndex);
};

}  // namespace zentrix::simulation
