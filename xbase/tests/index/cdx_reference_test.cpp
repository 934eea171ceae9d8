// Reads the compound indexes written by FoxPro and by an independent driver
// and checks every tag against what those writers say it holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "memory_file.h"
#include "reference_table.h"
#include "sha256.h"
#include "xbase/compound_index.h"
#include "xbase/expression.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase::testing {
namespace {

struct ExpectedSeek {
    std::string value;  // character text, or a number's decimal text
    bool found = false;
    uint32_t recno = 0;  // 0: end of file
};

struct ExpectedPosition {
    size_t position = 0;  // 1-based
    std::string key;
    uint32_t recno = 0;
};

struct ExpectedTag {
    std::string name, key, filter;
    bool numeric = false;
    int keyLength = 0;
    size_t keyCount = 0;
    std::string sequenceDigest;
    std::vector<ExpectedPosition> positions;
    std::vector<ExpectedSeek> seeks;
};

struct ExpectedTable {
    std::string name;
    std::vector<ExpectedTag> tags;
};

// Undoes the listing's quoting: "text" with \xHH and \\ escapes.
std::string unquote(const std::string& quoted) {
    std::string out;
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] == '\\' && i + 1 < quoted.size() - 1 && quoted[i + 1] == 'x') {
            out.push_back(static_cast<char>(std::stoi(quoted.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else if (quoted[i] == '\\') {
            out.push_back(quoted[++i]);
        } else {
            out.push_back(quoted[i]);
        }
    }
    return out;
}

std::string attribute(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=");
    if (at == std::string::npos) return std::string();
    size_t start = at + name.size() + 2;
    if (line[start] == '"') {
        const size_t end = line.find("\" ", start + 1);
        return unquote(
            line.substr(start, (end == std::string::npos ? line.size() - 1 : end) - start + 1));
    }
    const size_t end = line.find(' ', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string value(const std::string& text) { return text.front() == '"' ? unquote(text) : text; }

std::vector<ExpectedTable> loadExpected(const std::string& path) {
    std::vector<ExpectedTable> tables;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("TABLE ", 0) == 0) {
            tables.push_back({line.substr(6), {}});
        } else if (line.rfind("tag ", 0) == 0 && !tables.empty()) {
            ExpectedTag tag;
            tag.name = line.substr(4, line.find(':') - 4);
            tag.key = attribute(line, "key");
            tag.filter = attribute(line, "for");
            tag.numeric = attribute(line, "keytype") == "N";
            tag.keyLength = std::stoi(attribute(line, "keylen"));
            tag.keyCount = std::stoul(attribute(line, "keycount"));
            tables.back().tags.push_back(tag);
        } else if (line.rfind("  walk:", 0) == 0 && !tables.empty()) {
            tables.back().tags.back().sequenceDigest = attribute(line, "seq_sha256");
        } else if ((line.rfind("  first pos ", 0) == 0 || line.rfind("  last pos ", 0) == 0) &&
                   !tables.empty()) {
            ExpectedPosition position;
            const size_t pos = line.find("pos ") + 4, colon = line.find(": ", pos),
                         rec = line.rfind(" rec ");
            position.position = std::stoul(line.substr(pos, colon - pos));
            position.key = value(line.substr(colon + 2, rec - colon - 2));
            position.recno = static_cast<uint32_t>(std::stoul(line.substr(rec + 5)));
            tables.back().tags.back().positions.push_back(position);
        } else if (line.rfind("  seek ", 0) == 0 && !tables.empty()) {
            ExpectedSeek seek;
            const size_t arrow = line.find(" -> ");
            seek.value = value(line.substr(7, arrow - 7));
            seek.found = line.compare(arrow + 4, 5, "found") == 0;
            const size_t rec = line.rfind("rec ");
            seek.recno =
                rec == std::string::npos || rec < arrow ? 0 : std::stoul(line.substr(rec + 4));
            tables.back().tags.back().seeks.push_back(seek);
        }
    }
    return tables;
}

std::string renderKey(std::string_view key, bool numeric) {
    if (!numeric) return std::string(key);
    const double v = decodeNumberKey(key);
    char buffer[64];
    if (v == std::floor(v) && std::fabs(v) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", v);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15g", v);
    }
    return buffer;
}

std::string seekKey(const ExpectedSeek& seek, bool numeric) {
    return numeric ? encodeNumberKey(std::stod(seek.value)) : seek.value;
}

// The keys a tag must hold by its expressions and the table's records.
std::vector<KeyEntry> keysFromTable(const ReferenceTable& table, const Expression& key,
                                    const Expression* filter, KeyType type, int keyLength) {
    std::vector<KeyEntry> keys;
    for (size_t i = 0; i < table.records.size(); ++i) {
        if (filter && !filter->evaluate(table.records[i]).logical) continue;
        keys.push_back({encodeKey(key.evaluate(table.records[i]), type, keyLength),
                        static_cast<uint32_t>(i + 1)});
    }
    std::sort(keys.begin(), keys.end(), [](const KeyEntry& a, const KeyEntry& b) {
        return std::tie(a.key, a.recno) < std::tie(b.key, b.recno);
    });
    return keys;
}

class BankTableTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BankTableTest, EveryTagMatchesTheWritersListing) {
    const std::string dir = interopDir();
    if (dir.empty()) GTEST_SKIP() << "reference tables absent";
    const std::string folder = dir + "/bank-tables";
    const auto expected = loadExpected(folder + "/EXPECTED.txt");
    auto table = std::find_if(expected.begin(), expected.end(),
                              [](const ExpectedTable& t) { return t.name == GetParam() + ".dbf"; });
    ASSERT_NE(table, expected.end());
    auto records = ReferenceTable::load(findFile(folder, GetParam() + ".dbf"));
    ASSERT_TRUE(records);
    auto opened = CompoundIndex::open(MemoryFile::load(findFile(folder, GetParam() + ".cdx")));
    ASSERT_TRUE(opened) << opened.message();
    CompoundIndex& index = *opened.value();
    ASSERT_EQ(index.tags().size(), table->tags.size());

    for (const ExpectedTag& want : table->tags) {
        SCOPED_TRACE("tag " + want.name);
        IndexTag* tag = index.tag(want.name);
        ASSERT_NE(tag, nullptr);
        EXPECT_EQ(tag->keyExpression(), want.key);
        EXPECT_EQ(tag->forExpression(), want.filter);
        EXPECT_EQ(tag->keyLength(), want.keyLength);
        EXPECT_FALSE(tag->unique());
        EXPECT_FALSE(tag->descending());
        auto key = Expression::compile(tag->keyExpression(), records->fields);
        ASSERT_TRUE(key) << key.message();
        EXPECT_EQ(keyTypeFor(key.value()) == KeyType::Numeric, want.numeric);
        EXPECT_EQ(tag->keyType(), keyTypeFor(key.value())) << "guessed key type";
        tag->setKeyType(keyTypeFor(key.value()));

        auto entries = tag->entries();
        ASSERT_TRUE(entries) << entries.message();
        ASSERT_EQ(entries->size(), want.keyCount);
        std::string sequence;
        for (const KeyEntry& e : entries.value())
            sequence += renderKey(e.key, want.numeric) + "\t" + std::to_string(e.recno) + "\n";
        EXPECT_EQ(sha256Hex(sequence), want.sequenceDigest);
        for (const ExpectedPosition& p : want.positions) {
            ASSERT_LE(p.position, entries->size());
            EXPECT_EQ(renderKey(entries.value()[p.position - 1].key, want.numeric), p.key)
                << "pos " << p.position;
            EXPECT_EQ(entries.value()[p.position - 1].recno, p.recno) << "pos " << p.position;
        }

        // Backward walk meets the same entries in reverse.
        auto cursor = tag->cursor();
        size_t back = entries->size();
        for (auto more = cursor->last();; more = cursor->prev()) {
            // An error is reported before its value is looked at.
            ASSERT_TRUE(more) << more.message();
            if (!more.value()) break;
            ASSERT_GT(back, 0u);
            --back;
            ASSERT_EQ(cursor->key(), entries.value()[back].key);
            ASSERT_EQ(cursor->recno(), entries.value()[back].recno);
        }
        EXPECT_EQ(back, 0u);

        for (const ExpectedSeek& seek : want.seeks) {
            SCOPED_TRACE("seek " + seek.value);
            const std::string wanted = seekKey(seek, want.numeric);
            auto positioned = cursor->seek(wanted);
            ASSERT_TRUE(positioned) << positioned.message();
            const size_t compared =
                want.numeric ? 8 : std::min<size_t>(wanted.size(), want.keyLength);
            const bool found = positioned.value() &&
                               cursor->key().substr(0, compared) == wanted.substr(0, compared);
            EXPECT_EQ(found, seek.found);
            EXPECT_EQ(positioned.value() ? cursor->recno() : 0u, seek.recno);
        }

        // The tag holds exactly the records its filter admits, with their keys.
        std::optional<Expression> filter;
        if (!tag->forExpression().empty()) {
            auto compiled = Expression::compile(tag->forExpression(), records->fields);
            ASSERT_TRUE(compiled) << compiled.message();
            filter = compiled.value();
        }
        const auto fromTable = keysFromTable(*records, key.value(), filter ? &*filter : nullptr,
                                             tag->keyType(), tag->keyLength());
        ASSERT_EQ(fromTable.size(), entries->size());
        for (size_t i = 0; i < fromTable.size(); ++i) {
            ASSERT_EQ(fromTable[i].key, entries.value()[i].key) << "entry " << i;
            ASSERT_EQ(fromTable[i].recno, entries.value()[i].recno) << "entry " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BankTables, BankTableTest,
                         ::testing::Values("EX1", "EX1X", "gtest", "ptest", "TESTHIST"));

struct SampleIndex {
    const char* folder;
    const char* table;
    const char* index;
    std::map<std::string, std::string> keyExpressions;  // every tag
    bool matchesRecords = true;  // false: the sample's index is out of step with its table
};

class SampleIndexTest : public ::testing::TestWithParam<SampleIndex> {};

TEST_P(SampleIndexTest, TagsListAndWalkInOrder) {
    const std::string dir = interopDir();
    if (dir.empty()) GTEST_SKIP() << "reference tables absent";
    const SampleIndex& sample = GetParam();
    const std::string folder = dir + "/" + sample.folder;
    auto records = ReferenceTable::load(findFile(folder, sample.table));
    ASSERT_TRUE(records);
    auto opened = CompoundIndex::open(MemoryFile::load(findFile(folder, sample.index)));
    ASSERT_TRUE(opened) << opened.message();
    std::map<std::string, std::string> listed;
    for (const auto& tag : opened.value()->tags()) listed[tag->name()] = tag->keyExpression();
    EXPECT_EQ(listed, sample.keyExpressions);

    for (const auto& tag : opened.value()->tags()) {
        SCOPED_TRACE("tag " + tag->name());
        auto key = Expression::compile(tag->keyExpression(), records->fields);
        ASSERT_TRUE(key) << key.message();
        tag->setKeyType(keyTypeFor(key.value()));
        auto cursor = tag->cursor();
        std::vector<std::tuple<bool, std::string, uint32_t>> walked;
        for (auto more = cursor->first();; more = cursor->next()) {
            // An error is reported before its value is looked at.
            ASSERT_TRUE(more) << more.message();
            if (!more.value()) break;
            walked.emplace_back(!cursor->keyIsNull(), std::string(cursor->key()), cursor->recno());
        }
        // FoxPro orders accented letters by a collation rather than by
        // byte (\xC5RHUS next to ARHUS): check the order of plain keys.
        decltype(walked) plain;
        std::copy_if(
            walked.begin(), walked.end(), std::back_inserter(plain), [](const auto& entry) {
                const std::string& k = std::get<1>(entry);
                return std::all_of(k.begin(), k.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
            });
        EXPECT_TRUE(std::is_sorted(plain.begin(), plain.end()));
        // Each entry carries its record's key. (Customers.CDX is stale: an
        // empty tag, keys of records that changed since.)
        std::optional<Expression> filter;
        if (!tag->forExpression().empty()) {
            auto compiled = Expression::compile(tag->forExpression(), records->fields);
            ASSERT_TRUE(compiled) << compiled.message();
            filter = compiled.value();
        }
        const auto fromTable = keysFromTable(*records, key.value(), filter ? &*filter : nullptr,
                                             tag->keyType(), tag->keyLength());
        if (!sample.matchesRecords || tag->nullableKeys()) continue;
        EXPECT_EQ(walked.size(), fromTable.size());
        for (const auto& [notNull, walkedKey, recno] : walked) {
            // A null value in a tag without null markers is stored as zero bytes.
            if (walkedKey.find_first_not_of('\0') == std::string::npos) continue;
            ASSERT_TRUE(std::find_if(fromTable.begin(), fromTable.end(),
                                     [&](const KeyEntry& e) {
                                         return e.recno == recno && e.key == walkedKey;
                                     }) != fromTable.end())
                << "record " << recno;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceFiles, SampleIndexTest,
    ::testing::Values(
        SampleIndex{"foxpro-vfp-samples",
                    "calls.dbf",
                    "calls.CDX",
                    {{"CALL_ID", "call_id"}, {"CONTACT_ID", "contact_id"}}},
        SampleIndex{"foxpro-vfp-samples",
                    "contacts.dbf",
                    "contacts.CDX",
                    {{"CONTACT_ID", "contact_id"}, {"TYPE_ID", "contact_type_id"}}},
        SampleIndex{"foxpro-vfp-samples", "setup.dbf", "setup.CDX", {{"KEY_NAME", "key_name"}}},
        SampleIndex{
            "foxpro-vfp-samples", "types.dbf", "types.CDX", {{"TYPE_ID", "contact_type_id"}}},
        SampleIndex{"foxpro-vfp-northwind",
                    "customers.dbf",
                    "Customers.CDX",
                    {{"CITY", "UPPER(city)"},
                     {"COMPANYNAM", "UPPER(companyname)"},
                     {"CUSTOMERID", "customerid"},
                     {"POSTALCODE", "UPPER(postalcode)"},
                     {"REGION", "UPPER(region)"}},
                    false},
        SampleIndex{"foxpro-vfp-northwind",
                    "employees.dbf",
                    "employees.cdx",
                    {{"EMPLOYEEID", "employeeid"},
                     {"LASTNAME", "UPPER(lastname)"},
                     {"POSTALCODE", "UPPER(postalcode)"},
                     {"REPORTSTO", "reportsto"}}},
        SampleIndex{"foxpro-vfp-northwind",
                    "orders.dbf",
                    "orders.cdx",
                    {{"CUSTOMERID", "customerid"},
                     {"EMPLOYEEID", "employeeid"},
                     {"ORDERDATE", "orderdate"},
                     {"ORDERID", "orderid"},
                     {"SHIPPEDDAT", "shippeddate"},
                     {"SHIPPERID", "shipvia"}}},
        SampleIndex{"foxpro-vfp-northwind", "region.dbf", "region.cdx", {{"REGIONID", "regionid"}}},
        SampleIndex{"foxpro-ptest", "ptest.dbf", "ptest.cdx", {{"ID", "ID"}}}));

TEST(SampleIndex, NullableKeysCarryAMarkerByte) {
    const std::string dir = interopDir();
    if (dir.empty()) GTEST_SKIP() << "reference tables absent";
    auto opened =
        CompoundIndex::open(MemoryFile::load(dir + "/foxpro-vfp-northwind/employees.cdx"));
    ASSERT_TRUE(opened) << opened.message();
    IndexTag* postal = opened.value()->tag("POSTALCODE");
    ASSERT_NE(postal, nullptr);
    EXPECT_TRUE(postal->nullableKeys());
    EXPECT_EQ(postal->keyLength(), 10);
    auto cursor = postal->cursor();
    ASSERT_TRUE(cursor->first().value());
    EXPECT_FALSE(cursor->keyIsNull());
    EXPECT_EQ(cursor->key(), "98033     ");
    EXPECT_EQ(cursor->recno(), 3u);
    ASSERT_TRUE(cursor->seek("98052").value());  // the marker is added for the caller
    EXPECT_EQ(cursor->recno(), 4u);

    IndexTag* reportsTo = opened.value()->tag("REPORTSTO");  // a nullable integer
    ASSERT_NE(reportsTo, nullptr);
    EXPECT_EQ(reportsTo->keyType(), KeyType::Integer);
    EXPECT_EQ(reportsTo->keyLength(), 4);
    auto entries = reportsTo->entries();
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 9u);
    EXPECT_EQ(entries.value()[0].key, encodeIntegerKey(0));  // compressed trailing zero bytes
    EXPECT_EQ(entries.value()[1].key, encodeIntegerKey(2));
    EXPECT_FALSE(opened.value()->tag("LASTNAME")->nullableKeys());
}

TEST(SampleIndex, PtestTagSkipsTheDeletedRecordAndSeeks) {
    const std::string dir = interopDir();
    if (dir.empty()) GTEST_SKIP() << "reference tables absent";
    auto opened = CompoundIndex::open(MemoryFile::load(dir + "/foxpro-ptest/ptest.cdx"));
    ASSERT_TRUE(opened) << opened.message();
    IndexTag* tag = opened.value()->tag("id");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->forExpression(), ".NOT. DELETED()");
    auto cursor = tag->cursor();
    const std::pair<const char*, uint32_t> seeks[] = {{"A001", 1}, {"C003", 3}, {"B002", 3}};
    for (const auto& [text, recno] : seeks) {
        auto found = cursor->seek(text);
        ASSERT_TRUE(found && found.value());
        EXPECT_EQ(cursor->recno(), recno) << text;
        EXPECT_EQ(cursor->key().substr(0, 4) == text, recno != 3 || std::string(text) == "C003")
            << text;
    }
}

}  // namespace
}  // namespace zentrix::xbase::testing
