#pragma once

// Lays out a whole new compound index in memory: the tag directory, each
// tag's header and its tree, packed bottom-up with full leaves.

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/compound_index.h"

namespace zentrix::xbase::cdx {

// The bytes of an index holding `tags` filled from `keys` (one list per tag,
// in any order). Fails, naming `where`, on a layout it cannot write.
Result<std::vector<uint8_t>> buildIndexImage(const std::string& where,
                                             const std::vector<TagLayout>& tags,
                                             std::vector<std::vector<KeyEntry>> keys,
                                             uint32_t changeCounter);

}  // namespace zentrix::xbase::cdx
