// What it costs to flush an ended attempt to disk.
//
//   BM_Attempt              one attempt as the engine records it: StartTest and
//                           EndTest, which flushes TESTHIST to disk
//   BM_HistoryWrite/0       the write of an ended attempt (the record's fields
//                           and a commit), not flushed
//   BM_HistoryWrite/1       the same write followed by Table::sync, as EndTest
//                           does it: the difference is the flush's cost
//
// The history lies in a folder below the build folder (not /tmp, which may be
// memory): ZENTRIX_BENCH_DIR chooses another one. Run:
//   build/bench/history/attempt_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/message_sink.h"
#include "history/tthistory.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace {

using namespace zentrix;
namespace fs = std::filesystem;

std::string scratchFolder(const std::string& name) {
    const char* chosen = std::getenv("ZENTRIX_BENCH_DIR");
    const fs::path root =
        chosen ? fs::path(chosen) : fs::path(ZENTRIX_BINARY_DIR) / "bench-scratch";
    const fs::path folder = root / (name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string() + "/";
}

void BM_Attempt(benchmark::State& state) {
    const std::string folder = scratchFolder("attempt");
    {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        history::TTHistory store(engine, folder, sink);
        if (!store.valid()) state.SkipWithError(store.lastError().c_str());
        store.AddHistorySess("Ann Lee", "NET101");
        int taken = 0;
        for (auto _ : state) {
            store.StartTest(history::kClosedBook, ++taken % 1000, "NET101A");
            store.EndTest(7, 9);
        }
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_Attempt)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistoryWrite(benchmark::State& state) {
    const bool flushed = state.range(0) != 0;
    const std::string folder = scratchFolder("write");
    {
        xbase::Engine engine;
        auto made =
            engine.create(folder + "TESTHIST", history::HistoryFields(), history::HistoryTags());
        if (!made) {
            state.SkipWithError(made.message().c_str());
            return;
        }
        xbase::Table& table = *made.value();
        xbase::Status status = table.appendBlank();
        if (status)
            status = table.assign(table.field("KEYID"), history::HistoryKey("Ann Lee", "NET101"));
        if (status) status = table.commit();
        const xbase::Field* right = table.field("QRIGHT_1");
        const xbase::Field* tried = table.field("QTRIED_1");
        long n = 0;
        for (auto _ : state) {
            if (!status) break;
            ++n;
            status = table.lock();
            if (status) status = table.assignLong(right, n % 1000);
            if (status) status = table.assignLong(tried, n % 997);
            if (status) status = table.commit();
            if (xbase::Status unlocked = table.unlock(); status) status = unlocked;
            if (status && flushed) status = table.sync();
        }
        if (!status) state.SkipWithError(status.message().c_str());
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_HistoryWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
