#pragma once

// Texts of the question bank and the history are 8-bit Windows-1252. This is
// the one place they become Unicode for a screen, a window caption or a
// report, and the one place a typed text (the learner's name) becomes the
// bytes the history stores. Header-only: any layer with Qt Core may use it.

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

#include "base/windows1252.h"

namespace zentrix::report {

inline QString FromWindows1252(std::string_view bytes) {
    return QString::fromStdU16String(base::windows1252ToUtf16(bytes));
}

// The Windows-1252 bytes of `text`; a character the code page lacks becomes
// '?', as the system's own conversion does.
inline std::string ToWindows1252(QStringView text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text) {
        const int byte = base::windows1252Byte(c.unicode());
        bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

}  // namespace zentrix::report
