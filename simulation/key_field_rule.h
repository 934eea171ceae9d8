#pragma once

#include <QChar>
#include <optional>

namespace zentrix::simulation {

// Keys as a key field (one key must be pressed) sees them. Key codes are Qt's,
// which match the Windows virtual-key codes for digits and letters; a digit of
// the numeric keypad arrives as the same digit with the keypad modifier.
class KeyFieldRule {
public:
    // The character a key stands for: 0 to 9 or A to Z; none for other keys.
    static std::optional<QChar> character(int key);
    // Shift, Ctrl, Alt (and their companions) pressed on their own.
    static bool isModifierKey(int key);
    // Whether the key is the expected character, letters without case.
    static bool matches(int key, const QString& expected);
};

}  // namespace zentrix::simulation
