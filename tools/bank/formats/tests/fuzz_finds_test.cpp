// Inputs the fuzzers of the GIFT and CSV readers found or started from,
// replayed: each reads to questions or to an error, never to a crash.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/bank/formats/csv_reader.h"
#include "tools/bank/formats/gift_reader.h"

namespace zentrix::banktool {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs(const char* reader) {
    const fs::path folder = fs::path(ZENTRIX_FORMATS_FIXTURES) / "fuzz" / reader;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

TEST(FuzzFinds, EachReadsToQuestionsOrAnError) {
    using Reader = xbase::Result<InterchangeDocument> (*)(std::string_view, const std::string&);
    for (const auto& [folder, reader] : {std::pair<const char*, Reader>{"gift", &GiftReader::read},
                                         std::pair<const char*, Reader>{"csv", &CsvReader::read}}) {
        const std::vector<fs::path> files = inputs(folder);
        ASSERT_FALSE(files.empty()) << folder;
        for (const fs::path& file : files) {
            xbase::Result<InterchangeDocument> read =
                reader(bytesOf(file), file.filename().string());
            EXPECT_TRUE(read.isOk() || !read.message().empty()) << file;
        }
    }
}

}  // namespace
}  // namespace zentrix::banktool
