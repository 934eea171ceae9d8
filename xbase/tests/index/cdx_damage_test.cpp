// Damaged index files give errors that name the file, the tag and the page;
// they never crash or read outside the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "memory_file.h"
#include "xbase/cdx_format.h"
#include "xbase/compound_index.h"

namespace zentrix::xbase::testing {
namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void putBig32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}
uint32_t get32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// One tag "T" of 10-byte keys, three levels deep: header at 0x600, leaves
// from 0xA00 in key order, interior nodes after them.
Bytes healthyIndex() {
    std::vector<KeyEntry> keys;
    for (uint32_t r = 1; r <= 6000; ++r) {
        std::string key = "K" + std::to_string(r * 7919 % 100003);
        key.resize(10, ' ');
        keys.push_back({key, r});
    }
    TagLayout tag;
    tag.spec = {"T", "NAME", ".NOT. DELETED()"};
    tag.keyLength = 10;
    auto file = std::make_unique<MemoryFile>("damaged.cdx");
    MemoryFile& disk = *file;
    auto built = CompoundIndex::build(std::move(file), {tag}, {keys});
    EXPECT_TRUE(built) << built.message();
    return disk.bytes();
}

constexpr size_t kTagHeader = 0x600;
constexpr size_t kFirstLeaf = 0xA00;

struct Damage {
    const char* name;
    std::function<void(Bytes&)> apply;
    const char* message;  // a fragment of the error
};

class DamagedIndexTest : public ::testing::TestWithParam<Damage> {};

// Opens and walks every tag both ways and seeks: the damage must surface as
// an error somewhere, with the file's name.
TEST_P(DamagedIndexTest, GivesAClearError) {
    static const Bytes healthy = healthyIndex();
    Bytes bytes = healthy;
    GetParam().apply(bytes);
    std::string error;
    auto opened = CompoundIndex::open(std::make_unique<MemoryFile>("damaged.cdx", bytes));
    if (!opened) {
        error = opened.message();
    } else {
        for (const auto& tag : opened.value()->tags()) {
            auto cursor = tag->cursor();
            for (auto more = cursor->first(); error.empty(); more = cursor->next()) {
                if (!more)
                    error = more.message();
                else if (!more.value())
                    break;
            }
            for (auto more = cursor->last(); error.empty(); more = cursor->prev()) {
                if (!more)
                    error = more.message();
                else if (!more.value())
                    break;
            }
            if (auto seek = cursor->seek("K5"); error.empty() && !seek) error = seek.message();
            if (auto status = tag->insert("K5", 99999); error.empty() && !status)
                error = status.message();
        }
    }
    ASSERT_FALSE(error.empty()) << "damage went unnoticed";
    EXPECT_NE(error.find("damaged.cdx"), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedIndexTest,
    ::testing::Values(
        Damage{"TruncatedHeader", [](Bytes& b) { b.resize(700); }, "too short"},
        Damage{"DirectoryRootOutsideFile", [](Bytes& b) { put32(b, 0, 0x7FFFFE00); },
               "outside the file"},
        Damage{"TagHeaderOutsideFile", [](Bytes& b) { b.resize(kTagHeader + 600); },
               "header at 0x600 lies outside the file"},
        Damage{"ImpossibleKeyLength", [](Bytes& b) { b[kTagHeader + cdx::header::kKeyLength] = 0; },
               "key length 0"},
        Damage{"ExpressionPastPool",
               [](Bytes& b) { put32(b, kTagHeader + cdx::header::kKeyPosition, 0x0100'01F0); },
               "expression pool"},
        Damage{"LeafKeyCountOverflowsPage",
               [](Bytes& b) {
                   b[kFirstLeaf + 2] = 0x84;
                   b[kFirstLeaf + 3] = 0x03;
               },
               "tag T: leaf page at 0xA00 claims 900 keys"},
        Damage{"LeafBitWidthsImpossible",
               [](Bytes& b) { b[kFirstLeaf + cdx::leaf::kInfoBytes] = 0; },
               "leaf page at 0xA00 has impossible bit widths"},
        Damage{"LeafKeysOverlapInfo",
               [](Bytes& b) {
                   // Every key claims no shared or trailing bytes: 10 bytes each overflow the page.
                   const int n = b[kFirstLeaf + 2], bytes = b[kFirstLeaf + cdx::leaf::kInfoBytes];
                   const int recnoBits = b[kFirstLeaf + cdx::leaf::kRecnoBits];
                   for (int i = 0; i < n; ++i) {
                       for (int k = 0; k < bytes; ++k) {
                           uint8_t& byte = b[kFirstLeaf + cdx::leaf::kEntries + i * bytes + k];
                           if (k * 8 >= recnoBits) byte = 0;
                       }
                   }
               },
               "runs into the key info area"},
        Damage{"LeafChainLoops",
               [](Bytes& b) { put32(b, kFirstLeaf + cdx::node::kRight, kFirstLeaf); }, "loops"},
        Damage{"SiblingIsNotALeaf",
               [](Bytes& b) { put32(b, kFirstLeaf + cdx::node::kRight, get32(b, kTagHeader)); },
               "is not a leaf"},
        Damage{"ChildOutsideFile",
               [](Bytes& b) { putBig32(b, get32(b, kTagHeader) + 12 + 10 + 4, 0x00FFFE00); },
               "outside the file"},
        Damage{"ChildIsItsOwnParent",
               [](Bytes& b) {
                   const uint32_t root = get32(b, kTagHeader);
                   putBig32(b, root + 12 + 10 + 4, root);
               },
               "cycle"},
        Damage{"NotANode", [](Bytes& b) { b[get32(b, kTagHeader)] = 0x41; },
               "is not an index node"},
        Damage{"FreeListLoops",
               [](Bytes& b) {
                   const uint32_t page = static_cast<uint32_t>(b.size());
                   b.resize(b.size() + cdx::kPageSize, 0);
                   put32(b, page, page);
                   put32(b, cdx::header::kFreeList, page);
               },
               "free page list loops"},
        Damage{"FreeListOutsideFile",
               [](Bytes& b) { put32(b, cdx::header::kFreeList, 0x10000000); },
               "free page at 0x10000000"}),
    [](const auto& info) { return std::string(info.param.name); });

// Inputs that once crashed the fuzz harness: each must open or fail cleanly.
// What the index code first says of a file: its refusal at open, or the
// first error of a walk over every tag both ways, a seek, an insert and a
// removal; empty when nothing is wrong.
std::string firstComplaint(const std::vector<uint8_t>& bytes, const std::string& name) {
    auto opened = CompoundIndex::open(std::make_unique<MemoryFile>(name, bytes));
    if (!opened) return opened.message();
    for (const auto& tag : opened.value()->tags()) {
        auto cursor = tag->cursor();
        size_t steps = 0;
        for (auto more = cursor->first(); steps++ < 100000; more = cursor->next()) {
            if (!more) return more.message();
            if (!more.value()) break;
        }
        steps = 0;
        for (auto more = cursor->last(); steps++ < 100000; more = cursor->prev()) {
            if (!more) return more.message();
            if (!more.value()) break;
        }
        if (auto seek = cursor->seek("A"); !seek) return seek.message();
        if (auto status = tag->insert("A", 1); !status) return status.message();
        if (auto status = tag->remove("A", 1); !status) return status.message();
    }
    return {};
}

// A find is named after its complaint: lower case, numbers as "n", quoted
// texts as "name", words joined by "-", cut to 70 characters.
std::string slug(const std::string& text) {
    std::string out;
    bool inNumber = false, inQuote = false;
    for (unsigned char ch : text) {
        if (ch == '"') {
            if (!inQuote) out += "name";
            inQuote = !inQuote;
            continue;
        }
        if (inQuote) continue;
        const bool digit = ch >= '0' && ch <= '9';
        const bool hexLetter =
            inNumber && ((ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F') || ch == 'x');
        if (digit && !inNumber) out += 'n';
        if (hexLetter) continue;
        if (!digit) {
            const char lower = static_cast<char>(std::tolower(ch));
            if (lower >= 'a' && lower <= 'z')
                out += lower;
            else if (!out.empty() && out.back() != '-')
                out += '-';
        }
        inNumber = digit;
    }
    out.resize(std::min<size_t>(out.size(), 70));
    while (!out.empty() && out.back() == '-') out.pop_back();
    return out;
}

// Index files the fuzzer made of real ones: each is named after what the
// index code says of it, and must say just that, naming the file, without
// crashing or reading outside it.
TEST(DamagedIndex, FuzzFindsStayHarmless) {
    const std::filesystem::path folder =
        std::filesystem::path(ZENTRIX_SOURCE_DIR) / "xbase/tests/index/data/fuzz";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    size_t finds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string complaint = firstComplaint(bytes, name);
        const size_t at = complaint.find(name);
        ASSERT_NE(std::string::npos, at) << "the error names the file: " << complaint;
        EXPECT_EQ(entry.path().stem().string(), slug(complaint.substr(at + name.size())))
            << complaint;
        ++finds;
    }
    EXPECT_GE(finds, 15u);
}

}  // namespace
}  // namespace zentrix::xbase::testing
