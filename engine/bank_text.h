#pragma once

// Texts of the question bank are 8-bit Windows-1252; the screens show them
// as Unicode.

#include <QString>
#include <string>

#include "xbase/windows1252.h"

namespace zentrix::engine {

inline QString BankText(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        text.append(QChar(
            static_cast<char16_t>(xbase::windows1252CodePoint(static_cast<unsigned char>(c)))));
    }
    return text;
}

}  // namespace zentrix::engine
