#pragma once

// Texts of the question bank are 8-bit Windows-1252; the screens show them
// as Unicode.

#include <QString>
#include <string>
#include <string_view>

#include "base/windows1252.h"

namespace zentrix::engine {

// The one decoding of bank texts (base/windows1252.h), by the name the
// screens use.
inline QString BankText(std::string_view bytes) {
    return QString::fromStdU16String(base::windows1252ToUtf16(bytes));
}

}  // namespace zentrix::engine
