// Compound index benchmarks on a real file: seeking every key of a
// 10,000-key character tag, and inserting into a growing four-tag index.
// Run: build/bench/xbase/index_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "xbase/compound_index.h"
#include "xbase/file.h"
#include "xbase/key_encoding.h"

using namespace zentrix::xbase;

namespace {

std::string scratchPath(const char* name) {
    return std::string("/tmp/zentrix_index_bench_") + name + ".cdx";
}

std::string textKey(uint32_t n, int width) {
    std::string key = "U" + std::to_string(100000 + n * 7919 % 900000) + "-EXAM";
    key.resize(width, ' ');
    return key;
}

TagLayout tag(const char* name, KeyType type, int length) {
    TagLayout layout;
    layout.spec = {name, name, ".NOT. DELETED()"};
    layout.keyType = type;
    layout.keyLength = length;
    return layout;
}

void BM_SeekEveryKey(benchmark::State& state) {
    const std::string path = scratchPath("seek");
    auto fs = FileSystem::posix();
    std::vector<KeyEntry> keys;
    for (uint32_t r = 1; r <= 10000; ++r) keys.push_back({textKey(r, 20), r});
    auto file = fs->create(path);
    if (!file) return state.SkipWithError(file.message().c_str());
    auto index =
        CompoundIndex::build(std::move(file.value()), {tag("KEY", KeyType::Character, 20)}, {keys});
    if (!index) return state.SkipWithError(index.message().c_str());
    auto cursor = index.value()->tag("KEY")->cursor();
    for (auto _ : state) {
        for (const KeyEntry& k : keys) {
            auto found = cursor->seek(k.key);
            benchmark::DoNotOptimize(found);
        }
    }
    state.SetItemsProcessed(state.iterations() * keys.size());
    state.counters["time_per_seek"] = benchmark::Counter(
        static_cast<double>(state.iterations() * keys.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
    (void)fs->remove(path);  // a scratch file; one left in /tmp harms nothing
}
BENCHMARK(BM_SeekEveryKey)->Unit(benchmark::kMillisecond);

// Inserts record after record into four tags; range(0) says how many
// records the index already holds, so growth in cost per insert shows.
void BM_InsertIntoFourTags(benchmark::State& state) {
    const std::string path = scratchPath("insert");
    auto fs = FileSystem::posix();
    const uint32_t existing = static_cast<uint32_t>(state.range(0));
    std::vector<std::vector<KeyEntry>> keys(4);
    for (uint32_t r = 1; r <= existing; ++r) {
        keys[0].push_back({encodeNumberKey(r), r});
        keys[1].push_back({encodeNumberKey(r % 97), r});
        keys[2].push_back({textKey(r, 10), r});
        keys[3].push_back({textKey(r * 3, 50), r});
    }
    auto file = fs->create(path);
    if (!file) return state.SkipWithError(file.message().c_str());
    auto index = CompoundIndex::build(
        std::move(file.value()),
        {tag("NUM", KeyType::Numeric, 8), tag("ID", KeyType::Numeric, 8),
         tag("COURSE", KeyType::Character, 10), tag("KEYID", KeyType::Character, 50)},
        std::move(keys));
    if (!index) return state.SkipWithError(index.message().c_str());
    IndexTag* tags[4] = {index.value()->tag("NUM"), index.value()->tag("ID"),
                         index.value()->tag("COURSE"), index.value()->tag("KEYID")};
    auto insertRecord = [&tags](uint32_t recno) -> Status {
        ZX_TRY(tags[0]->insert(encodeNumberKey(recno), recno));
        ZX_TRY(tags[1]->insert(encodeNumberKey(recno % 97), recno));
        ZX_TRY(tags[2]->insert(textKey(recno, 10), recno));
        return tags[3]->insert(textKey(recno * 3, 50), recno);
    };
    uint32_t recno = existing;
    for (auto _ : state) {
        if (Status inserted = insertRecord(++recno); !inserted) {
            state.SkipWithError(inserted.message().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    (void)fs->remove(path);  // a scratch file; one left in /tmp harms nothing
}
BENCHMARK(BM_InsertIntoFourTags)
    ->Arg(0)
    ->Arg(90000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(10000);

}  // namespace

BENCHMARK_MAIN();
