#pragma once

// Texts of the question bank and the history are 8-bit Windows-1252; the
// reports show them as Unicode.

#include <QString>
#include <string_view>

#include "base/windows1252.h"

namespace zentrix::report {

inline QString FromWindows1252(std::string_view bytes) {
    return QString::fromStdU16String(base::windows1252ToUtf16(bytes));
}

}  // namespace zentrix::report
