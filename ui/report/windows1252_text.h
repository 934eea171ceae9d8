#pragma once

// Texts of the question bank and the history are 8-bit Windows-1252; the
// reports show them as Unicode.

#include <QString>
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

}  // namespace zentrix::report
