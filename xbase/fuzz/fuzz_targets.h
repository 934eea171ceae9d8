#pragma once

// One fuzz input run through the engine; see fuzz_targets.cpp.

#include <cstddef>
#include <cstdint>

namespace zentrix::xbase::fuzz {

void fuzzTable(const uint8_t* data, size_t size);  // the bytes as a .dbf
void fuzzMemo(const uint8_t* data, size_t size);   // the bytes as a .fpt

}  // namespace zentrix::xbase::fuzz
