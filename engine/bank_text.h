#pragma once

// Texts of the question bank are 8-bit Windows-1252; the screens show them
// as Unicode.

#include <QString>
#include <string>
#include <string_view>

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

// A hint or reference as the test screen judges it: line feeds removed,
// blanks at both ends trimmed. Empty: the question has no such aid.
inline QString CleanedAidText(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (char c : stored) {
        if (c != '\n') out.push_back(c);
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return QString();
    const size_t last = out.find_last_not_of(' ');
    return BankText(out.substr(first, last - first + 1));
}

}  // namespace zentrix::engine
