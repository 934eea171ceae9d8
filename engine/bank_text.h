#pragma once

// Texts of the question bank are 8-bit Windows-1252; the screens show them
// as Unicode.

#include <QString>
#include <string>
#include <string_view>

#include "base/ascii_text.h"
#include "base/windows1252.h"

namespace zentrix::engine {

// The one decoding of bank texts (base/windows1252.h), by the name the
// screens use.
inline QString BankText(std::string_view bytes) {
    return QString::fromStdU16String(base::windows1252ToUtf16(bytes));
}

// A hint or reference as the test screen judges it: line feeds removed,
// blanks at both ends trimmed. Empty: the question has no such aid.
inline QString CleanedAidText(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (char c : stored) {
        if (c != '\n') out.push_back(c);
    }
    const std::string_view trimmed = base::ascii::trimmedView(out, base::ascii::kBlank);
    if (trimmed.empty()) return QString();
    return BankText(trimmed);
}

}  // namespace zentrix::engine
