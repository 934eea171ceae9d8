#pragma once

// Texts of the question bank are 8-bit Windows-1252; the screens show them
// as Unicode.

#include <QString>
#include <string>

#include "ui/report/windows1252_text.h"

namespace zentrix::engine {

// The one decoding of bank texts (report::FromWindows1252), by the name the
// screens use.
inline QString BankText(const std::string& bytes) { return report::FromWindows1252(bytes); }

}  // namespace zentrix::engine
