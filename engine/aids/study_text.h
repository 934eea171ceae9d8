#pragma once

#include <QByteArray>
#include <string_view>

namespace zentrix::engine::aids {

// A hint or reference text as the windows show it: every line-feed character
// removed, then blanks and control characters dropped at both ends.
QByteArray CleanStudyText(std::string_view stored);

}  // namespace zentrix::engine::aids
