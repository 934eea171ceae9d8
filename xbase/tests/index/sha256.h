#pragma once

// SHA-256, to compare a walk of a tag with the digest a reference lists.

#include <string>
#include <string_view>

namespace zentrix::xbase::testing {

std::string sha256Hex(std::string_view data);

}  // namespace zentrix::xbase::testing
