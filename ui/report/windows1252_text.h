#pragma once

// Texts of the question bank and the history are 8-bit Windows-1252. This is
// the one place they become Unicode for a screen, a window caption or a
// report, and the one place a typed text (the learner's name) becomes the
// bytes the history stores. Header-only: any layer with Qt Core may use it.

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

#include "xbase/windows1252.h"

namespace zentrix::report {

inline QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text += QChar(
            static_cast<char16_t>(xbase::windows1252CodePoint(static_cast<unsigned char>(c))));
    return text;
}

// The Windows-1252 bytes of `text`; a character the code page lacks becomes
// '?', as the system's own conversion does.
inline std::string ToWindows1252(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        char byte = '?';
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            byte = static_cast<char>(unit);
        } else {
            for (unsigned b = 0x80; b <= 0x9F; ++b) {
                if (xbase::windows1252CodePoint(static_cast<unsigned char>(b)) == unit) {
                    byte = static_cast<char>(b);
                    break;
                }
            }
        }
        bytes.push_back(byte);
    }
    return bytes;
}

}  // namespace zentrix::report
