#pragma once

// Shortens a path for a narrow status line: the first part, an ellipsis,
// and as many of the last parts as fit.

#include <string>
#include <string_view>

namespace zentrix::setup {

// A path not longer than `limit` stays, and so does one of fewer than three
// parts. Otherwise the second part becomes `ellipsis`, and while the result
// is longer than `limit` and more than three parts remain, the part after
// the ellipsis is dropped. At worst: first part, ellipsis, last part.
std::string ShortenPath(std::string_view path, std::string_view separator,
                        std::string_view ellipsis, size_t limit);

}  // namespace zentrix::setup
