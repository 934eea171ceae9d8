#pragma once

// Texts of the question bank are 8-bit Windows-1252; the screens show them
// as Unicode.

#include <QString>
#include <string>
#include <string_view>

#include "ui/report/windows1252_text.h"

namespace zentrix::engine {

// The one decoding of bank texts (report::FromWindows1252), by the name the
// screens use.
inline QString BankText(const std::string& bytes) { return report::FromWindows1252(bytes); }

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
