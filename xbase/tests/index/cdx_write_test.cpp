// Builds and updates compound indexes and checks them against a model of
// what they must hold, through the same handle and after reopening.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "memory_file.h"
#include "xbase/cdx_format.h"
#include "xbase/compound_index.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase::testing {
namespace {

using Model = std::set<std::pair<std::string, uint32_t>>;

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

TagLayout layout(const std::string& name, KeyType type, int keyLength,
                 const std::string& filter = ".NOT. DELETED()") {
    TagLayout tag;
    tag.spec.name = name;
    tag.spec.keyExpression = name;
    tag.spec.forExpression = filter;
    tag.keyType = type;
    tag.keyLength = keyLength;
    return tag;
}

// Keys of a kind, drawn from a small range so that duplicates are common.
std::string randomKey(std::mt19937& random, KeyType type, int keyLength, int spread) {
    const int n = std::uniform_int_distribution<int>(-spread / 4, spread)(random);
    switch (type) {
        case KeyType::Numeric:
            return encodeNumberKey(n / 4.0);
        case KeyType::Integer:
            return encodeIntegerKey(n);
        default:
            break;
    }
    std::string key = "K" + std::to_string(n < 0 ? -n : n);
    if (n % 7 == 0) key += "\xE9t\xE9";
    key.resize(keyLength, ' ');
    return key;
}

std::vector<KeyEntry> asEntries(const Model& model) {
    std::vector<KeyEntry> out;
    for (const auto& [key, recno] : model) out.push_back({key, recno});
    return out;
}

void expectHolds(IndexTag& tag, const Model& model, std::mt19937& random, KeyType type,
                 int keyLength, int spread) {
    auto entries = tag.entries();
    ASSERT_TRUE(entries) << entries.message();
    ASSERT_EQ(entries->size(), model.size());
    size_t i = 0;
    for (const auto& [key, recno] : model) {
        ASSERT_EQ(entries.value()[i].key, key) << "entry " << i;
        ASSERT_EQ(entries.value()[i].recno, recno) << "entry " << i;
        ++i;
    }
    auto cursor = tag.cursor();
    size_t back = model.size();
    for (auto more = cursor->last();; more = cursor->prev()) {
        // An error is reported before its value is looked at.
        ASSERT_TRUE(more) << more.message();
        if (!more.value()) break;
        ASSERT_GT(back, 0u);
        --back;
        ASSERT_EQ(cursor->recno(), entries.value()[back].recno);
    }
    ASSERT_EQ(back, 0u);
    for (int probe = 0; probe < 20; ++probe) {
        const std::string key = randomKey(random, type, keyLength, spread);
        auto expected = model.lower_bound({key, 0});
        auto found = cursor->seek(key);
        ASSERT_TRUE(found) << found.message();
        ASSERT_EQ(found.value(), expected != model.end());
        if (found.value()) {
            ASSERT_EQ(cursor->key(), expected->first);
            ASSERT_EQ(cursor->recno(), expected->second);
            auto exact = cursor->find(expected->first, expected->second);
            ASSERT_TRUE(exact && exact.value());
        }
    }
}

struct TreeCase {
    const char* name;
    KeyType type;
    int keyLength;
    int spread;
    int operations;
};

class IndexUpdateTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(IndexUpdateTest, RandomInsertsAndRemovesFollowTheModel) {
    const TreeCase& c = GetParam();
    std::mt19937 random(1234);
    auto file = std::make_unique<MemoryFile>("update.cdx");
    MemoryFile& disk = *file;
    // Start from a built index holding a first batch, then update it.
    Model model;
    uint32_t nextRecno = 1;
    for (int i = 0; i < c.operations / 4; ++i)
        model.insert({randomKey(random, c.type, c.keyLength, c.spread), nextRecno++});
    auto built = CompoundIndex::build(std::move(file), {layout("TAG", c.type, c.keyLength)},
                                      {asEntries(model)});
    ASSERT_TRUE(built) << built.message();
    CompoundIndex& index = *built.value();
    IndexTag& tag = *index.tag("tag");
    std::vector<std::pair<std::string, uint32_t>> present(model.begin(), model.end());

    for (int batch = 0; batch < 8; ++batch) {
        // Early batches grow the tree; later ones mostly empty it.
        const int insertPercent = batch < 4 ? 70 : 25;
        for (int op = 0; op < c.operations / 8; ++op) {
            if (present.empty() ||
                std::uniform_int_distribution<int>(0, 99)(random) < insertPercent) {
                // Record numbers arrive out of order too: a recycled number.
                const uint32_t recno = op % 5 == 0 ? nextRecno + 100000 : nextRecno;
                ++nextRecno;
                const std::string key = randomKey(random, c.type, c.keyLength, c.spread);
                ASSERT_TRUE(tag.insert(key, recno)) << "insert";
                model.insert({key, recno});
                present.emplace_back(key, recno);
            } else {
                const size_t at =
                    std::uniform_int_distribution<size_t>(0, present.size() - 1)(random);
                std::swap(present[at], present.back());
                auto status = tag.remove(present.back().first, present.back().second);
                ASSERT_TRUE(status) << status.message();
                model.erase(present.back());
                present.pop_back();
            }
        }
        SCOPED_TRACE("batch " + std::to_string(batch));
        expectHolds(tag, model, random, c.type, c.keyLength, c.spread);
    }

    auto reopened = CompoundIndex::open(disk.share());
    ASSERT_TRUE(reopened) << reopened.message();
    IndexTag* again = reopened.value()->tag("TAG");
    ASSERT_NE(again, nullptr);
    again->setKeyType(c.type);
    expectHolds(*again, model, random, c.type, c.keyLength, c.spread);

    // Emptied pages went to the free list and come back before the file grows.
    for (const auto& [key, recno] :
         std::vector<std::pair<std::string, uint32_t>>(model.begin(), model.end())) {
        ASSERT_TRUE(tag.remove(key, recno));
    }
    expectHolds(tag, {}, random, c.type, c.keyLength, c.spread);
    const size_t emptied = disk.bytes().size();
    for (const auto& [key, recno] : present) ASSERT_TRUE(tag.insert(key, recno));
    EXPECT_LE(disk.bytes().size(), emptied);
}

INSTANTIATE_TEST_SUITE_P(Trees, IndexUpdateTest,
                         ::testing::Values(TreeCase{"ShortText", KeyType::Character, 10, 400, 4000},
                                           TreeCase{"WideText", KeyType::Character, 50, 3000, 3000},
                                           TreeCase{"WidestText", KeyType::Character, 240, 5000,
                                                    1200},
                                           TreeCase{"Numbers", KeyType::Numeric, 8, 200, 4000},
                                           TreeCase{"Integers", KeyType::Integer, 4, 100000, 4000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IndexBuild, WritesTheFoxProLayout) {
    auto file = std::make_unique<MemoryFile>("layout.cdx");
    MemoryFile& disk = *file;
    std::vector<KeyEntry> keys;
    for (uint32_t r = 1; r <= 3000; ++r) keys.push_back({encodeNumberKey(r % 997), r});
    auto built = CompoundIndex::build(
        std::move(file),
        {layout("NUM", KeyType::Numeric, 8), layout("Name", KeyType::Character, 12, "")},
        {keys, {{"SMITH", 2}, {"JONES", 1}}});
    ASSERT_TRUE(built) << built.message();
    const auto& b = disk.bytes();
    namespace h = cdx::header;
    EXPECT_EQ(b.size() % cdx::kPageSize, 0u);
    EXPECT_EQ(u32(b, h::kRoot), 0x400u);  // tag directory leaf
    EXPECT_EQ(b[h::kOptions], 0xE0);      // compact, compound, directory
    EXPECT_EQ(b[h::kKeyLength], cdx::kTagNameLength);
    EXPECT_EQ(b[0x400], cdx::node::kRootBit | cdx::node::kLeafBit);
    ASSERT_EQ(built.value()->tags().size(), 2u);
    // Tags keep the order they were given in; the directory is sorted by name.
    EXPECT_EQ(built.value()->tags()[0]->name(), "NUM");
    EXPECT_EQ(built.value()->tags()[1]->name(), "NAME");
    const size_t header = 0x600;               // the first tag's header follows the directory
    EXPECT_EQ(b[header + h::kOptions], 0x68);  // compact, compound, FOR clause
    EXPECT_EQ(b[header + h::kSignature], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[header + h::kPool])), "NUM");
    EXPECT_EQ(b[header + h::kForPosition], 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[header + h::kPool + 4])),
              ".NOT. DELETED()");
    EXPECT_EQ(b[header + 0x400 + h::kOptions], 0x60);  // no FOR clause
    // 3000 keys need interior nodes: the root is one, with big-endian children.
    const uint32_t root = u32(b, header + h::kRoot);
    EXPECT_EQ(b[root], cdx::node::kRootBit);
    const uint32_t firstChild = (b[root + 12 + 8 + 4] << 24) | (b[root + 12 + 8 + 5] << 16) |
                                (b[root + 12 + 8 + 6] << 8) | b[root + 12 + 8 + 7];
    EXPECT_EQ(firstChild % cdx::kPageSize, 0u);
    EXPECT_LT(firstChild, b.size());
    IndexTag* tag = built.value()->tag("num");
    auto entries = tag->entries();
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3000u);
    EXPECT_EQ(decodeNumberKey(entries.value()[0].key), 0.0);
    EXPECT_EQ(entries.value()[0].recno, 997u);  // equal keys follow in record-number order
    EXPECT_EQ(entries.value()[1].recno, 1994u);
}

TEST(IndexUpdate, ThinnedLeavesMergeAndFreeTheirPages) {
    auto file = std::make_unique<MemoryFile>("thin.cdx");
    MemoryFile& disk = *file;
    std::vector<KeyEntry> keys;
    for (uint32_t r = 1; r <= 3000; ++r) keys.push_back({encodeNumberKey(r), r});
    auto built = CompoundIndex::build(std::move(file), {layout("N", KeyType::Numeric, 8)}, {keys});
    ASSERT_TRUE(built);
    IndexTag& tag = *built.value()->tag("N");
    // Every leaf keeps some keys, so only merging can give pages back.
    for (uint32_t r = 1; r <= 3000; ++r) {
        if (r % 10 != 0) {
            ASSERT_TRUE(tag.remove(encodeNumberKey(r), r));
        }
    }
    int freePages = 0;
    for (uint32_t page = u32(disk.bytes(), cdx::header::kFreeList); page != 0 && freePages < 1000;
         page = u32(disk.bytes(), page)) {
        ++freePages;
    }
    EXPECT_GT(freePages, 10);
    auto entries = tag.entries();
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 300u);
    for (size_t i = 0; i < entries->size(); ++i) EXPECT_EQ(entries.value()[i].recno, 10 * (i + 1));
}

TEST(IndexBuild, RefusesLayoutsItCannotWrite) {
    const std::vector<std::vector<TagLayout>> bad = {
        {layout("ELEVENCHARS", KeyType::Character, 10)},
        {layout("", KeyType::Character, 10)},
        {layout("A", KeyType::Character, 10), layout("a", KeyType::Character, 10)},
        {layout("A", KeyType::Character, 0)},
        {layout("A", KeyType::Character, 241)},
    };
    for (const auto& tags : bad) {
        std::vector<std::vector<KeyEntry>> keys(tags.size());
        auto built = CompoundIndex::build(std::make_unique<MemoryFile>("bad.cdx"), tags, keys);
        EXPECT_FALSE(built) << tags.front().spec.name;
        if (!built) {
            EXPECT_NE(built.message().find("bad.cdx"), std::string::npos);
        }
    }
}

TEST(IndexUpdate, RefusesADuplicateEntryAndAMissingOne) {
    auto built = CompoundIndex::build(std::make_unique<MemoryFile>("dup.cdx"),
                                      {layout("T", KeyType::Character, 4)}, {{{"AAAA", 1}}});
    ASSERT_TRUE(built);
    IndexTag& tag = *built.value()->tag("T");
    EXPECT_FALSE(tag.insert("AAAA", 1));
    EXPECT_TRUE(tag.insert("AAAA", 2));
    const Status missing = tag.remove("BBBB", 1);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("tag T"), std::string::npos) << missing.message();
    EXPECT_FALSE(tag.remove("AAAA", 3));
    auto entries = tag.entries();
    ASSERT_EQ(entries->size(), 2u);
}

TEST(IndexUpdate, ShortKeysArePaddedLikeTheStoredOnes) {
    auto built =
        CompoundIndex::build(std::make_unique<MemoryFile>("pad.cdx"),
                             {layout("T", KeyType::Character, 6)}, {{{"AB", 1}, {"ABC", 2}}});
    ASSERT_TRUE(built);
    IndexTag& tag = *built.value()->tag("T");
    auto cursor = tag.cursor();
    ASSERT_TRUE(cursor->seek("AB").value());
    EXPECT_EQ(cursor->key(), "AB    ");
    EXPECT_EQ(cursor->recno(), 1u);
    ASSERT_TRUE(cursor->seek("AB\x01").value());  // below "AB    ": lands on it
    EXPECT_EQ(cursor->recno(), 1u);
    EXPECT_FALSE(cursor->seek("\xFF").value());
    ASSERT_TRUE(cursor->prev().value());  // from after the end back onto the last
    EXPECT_EQ(cursor->recno(), 2u);
    EXPECT_TRUE(tag.remove("AB", 1));
}

TEST(IndexSharing, ChangeCounterAndDirtyMarkReachAnotherHandle) {
    auto file = std::make_unique<MemoryFile>("shared.cdx");
    MemoryFile& disk = *file;
    auto writer =
        CompoundIndex::build(std::move(file), {layout("T", KeyType::Character, 8)}, {{{"ONE", 1}}});
    ASSERT_TRUE(writer);
    auto reader = CompoundIndex::open(disk.share());
    ASSERT_TRUE(reader);
    IndexTag& readTag = *reader.value()->tag("T");
    ASSERT_EQ(readTag.entries()->size(), 1u);  // now cached

    const uint32_t before = u32(disk.bytes(), cdx::header::kChangeCounter);
    // Enough keys to split the root: the reader must follow the new root.
    for (uint32_t r = 2; r <= 200; ++r)
        ASSERT_TRUE(writer.value()->tag("T")->insert("K" + std::to_string(r), r));
    EXPECT_EQ(u32(disk.bytes(), cdx::header::kChangeCounter), before + 199);
    ASSERT_TRUE(reader.value()->refresh());
    EXPECT_EQ(readTag.entries()->size(), 200u);

    EXPECT_FALSE(reader.value()->isDirty().value());
    ASSERT_TRUE(writer.value()->setDirty(true));
    EXPECT_TRUE(reader.value()->isDirty().value());
    ASSERT_TRUE(writer.value()->setDirty(false));
    EXPECT_FALSE(reader.value()->isDirty().value());

    // A rebuild moves the counter on as well, and may move the tag's header.
    auto rebuilt = CompoundIndex::build(
        disk.share(), {layout("U", KeyType::Character, 8), layout("T", KeyType::Character, 8)},
        {{{"U1", 1}}, {{"NEW", 7}}});
    ASSERT_TRUE(rebuilt);
    EXPECT_GT(u32(disk.bytes(), cdx::header::kChangeCounter), before + 199);
    ASSERT_TRUE(reader.value()->refresh());
    auto entries = readTag.entries();
    ASSERT_TRUE(entries) << entries.message();
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(entries.value()[0].recno, 7u);

    // A rebuild without the tag leaves the reader with a clear error.
    ASSERT_TRUE(CompoundIndex::build(disk.share(), {layout("U", KeyType::Character, 8)}, {{}}));
    const Status gone = reader.value()->refresh();
    EXPECT_FALSE(gone);
    EXPECT_NE(gone.message().find("tag T"), std::string::npos) << gone.message();
}

}  // namespace
}  // namespace zentrix::xbase::testing
