#pragma once

#include <cstdint>

namespace zentrix::simulation {

// What a zone expects from the learner. Values are those stored in the file.
enum class ZoneType : std::uint8_t {
    Hover = 0,
    EnterField = 1,  // text field submitted with Enter
    PlainField = 2,  // text field without a submit key of its own
    Click = 3,
    DoubleClick = 4,
    RightClick = 5,
    Timed = 6,
    Pointer = 7,   // changes the mouse pointer over it
    TabField = 8,  // text field submitted with Tab
    Press = 9,     // start of a drag
    Release = 10,  // end of a drag
    RightPress = 11,
    WrongClick = 12,
    Key = 13,
    Address = 14,  // dotted address field
    Sound = 15,
};

inline bool isTextFieldType(int type) { return type == 1 || type == 2 || type == 8 || type == 14; }

}  // namespace zentrix::simulation
