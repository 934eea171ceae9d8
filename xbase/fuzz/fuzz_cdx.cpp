// libFuzzer harness for the compound index: open the input as an index,
// walk every tag both ways, seek, and insert and remove a few keys.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "xbase/compound_index.h"
#include "xbase/tests/index/memory_file.h"

using namespace zentrix::xbase;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    auto opened =
        CompoundIndex::open(std::make_unique<testing::MemoryFile>("fuzz.cdx", std::move(bytes)));
    if (!opened) return 0;
    CompoundIndex& index = *opened.value();
    (void)index.isDirty();
    const uint8_t steer = size > 0 ? data[size - 1] : 0;
    for (const auto& tag : index.tags()) {
        if (steer & 1) tag->setKeyType(KeyType::Numeric);
        auto cursor = tag->cursor();
        std::vector<std::pair<std::string, uint32_t>> seen;
        for (auto more = cursor->first(); more && more.value() && seen.size() < 100000;
             more = cursor->next()) {
            seen.emplace_back(std::string(cursor->key()), cursor->recno());
            (void)cursor->keyIsNull();
        }
        for (auto more = cursor->last(); more && more.value(); more = cursor->prev()) {
        }
        const std::string probe(reinterpret_cast<const char*>(data), std::min<size_t>(size, 12));
        (void)cursor->seek(probe);
        (void)cursor->seek("");
        if (!seen.empty()) {
            (void)cursor->find(seen.front().first, seen.front().second);
            (void)tag->remove(seen.back().first, seen.back().second);
        }
        for (uint32_t r = 1; r <= 40; ++r)
            (void)tag->insert(probe + std::to_string(r * 37 % 11), r);
        if (seen.size() > 1)
            (void)tag->remove(seen[seen.size() / 2].first, seen[seen.size() / 2].second);
        (void)tag->entries();
    }
    (void)index.setDirty(true);
    (void)index.refresh();
    return 0;
}
