#pragma once

#include <QByteArray>
#include <string_view>

namespace zentrix::engine::aids {

// A hint or reference text as the windows show it: line-feed characters
// removed, then blanks and control characters dropped at both ends.
//
// A line feed that follows a carriage return goes; a line feed on its own
// becomes a carriage return. Dropping it outright would join what it
// separated: "\pichgoal1950<LF>8950..." would read as one huge number and the
// picture's data would be lost, "\par<LF>The" as an unknown word "parThe".
// A carriage return still ends a control word, and both viewers treat it as
// the line break it was.
QByteArray CleanStudyText(std::string_view stored);

}  // namespace zentrix::engine::aids
