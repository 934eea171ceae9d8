#include "simulation/key_field_rule.h"

#include <QString>
#include <Qt>

namespace zentrix::simulation {

std::optional<QChar> KeyFieldRule::character(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return QChar(char16_t(key));
    }
    return std::nullopt;
}

bool KeyFieldRule::isModifierKey(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return true;
        default:
            return false;
    }
}

bool KeyFieldRule::matches(int key, const QString& expected) {
    const auto typed = character(key);
    return typed && expected.size() == 1 && *typed == expected.toUpper().at(0);
}

}  // namespace zentrix::simulation
