// libFuzzer entry for memo files; the work is in fuzz_targets.cpp.

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrix::xbase::fuzz::fuzzMemo(data, size);
    return 0;
}
