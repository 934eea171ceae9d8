#pragma once

// The stored copy of a picture or simulation file in a GRAPHICDT memo: a
// 32-bit little-endian byte count n followed by the n bytes of the file. An
// empty memo means there is no stored copy.

#include <string>
#include <string_view>

#include "xbase/status.h"

namespace zentrix::questionbank {

class ByteMemo {
public:
    // Bytes are carried in std::string; they are not text.
    static std::string encode(std::string_view bytes);
    // Fails when the memo is shorter than its count says; `what` names the
    // record in the message ("exam NET101, question 4").
    static xbase::Result<std::string> decode(std::string_view memo, const std::string& what);
};

}  // namespace zentrix::questionbank
