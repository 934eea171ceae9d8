#include "simulation/panel/tbz_ip_mask.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "simulation/address_text.h"

namespace zentrix::simulation::panel {

namespace {
// Digits that may be left out, the dots kept in the text, blanks shown as spaces.
constexpr const char* kMask = "000.000.000.000; ";
}  // namespace

TBZIPMask::TBZIPMask(QWidget* parent) : QLineEdit(parent) {
    setInputMask(QString::fromLatin1(kMask));
    connect(this, &QLineEdit::textEdited, this, &TBZIPMask::textEditedByUser);
}

QString TBZIPMask::addressText() const { return displayText(); }

void TBZIPMask::clearAddress() {
    clear();
    setCursorPosition(0);
}

void TBZIPMask::correctOctets() {
    if (const auto corrected = AddressText::correctedOctets(addressText())) {
        const int caret = cursorPosition();
        setText(*corrected);
        setCursorPosition(caret);
    }
}

bool TBZIPMask::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            if (const auto target = AddressText::tabTarget(cursorPosition() + 1)) {
                deselect();
                setCursorPosition(*target);
                return true;
            }
        }
    }
    return QLineEdit::event(event);
}

void TBZIPMask::focusInEvent(QFocusEvent* event) {
    const int caret = cursorPosition();
    QLineEdit::focusInEvent(event);
    deselect();
    setCursorPosition(caret);
}

void TBZIPMask::focusOutEvent(QFocusEvent* event) {
    correctOctets();
    QLineEdit::focusOutEvent(event);
}

}  // namespace zentrix::simulation::panel
