// Inputs the fuzzer of the attempt's bank data once found troublesome are
// run through the harness again: each keeps the attempt's promises.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

TEST(AttemptFuzzFinds, EveryFindKeepsThePromises) {
    const std::filesystem::path folder =
        std::filesystem::path(ZENTRIX_SOURCE_DIR) / "engine/attempt/tests/fuzz";
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    EXPECT_GE(replayed, 1) << "the finds lie in " << folder;
}

}  // namespace
