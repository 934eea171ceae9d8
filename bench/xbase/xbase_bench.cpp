// Speed of the table engine.
//
//   BM_SeekEveryKey          seek every key of a 10,000-record table by a character tag
//   BM_AppendWithFourTags    append and commit 100,000 records to a table with four tags;
//                            counters give the cost per record of the first and last 10,000
//   BM_FullScan              read every field of every record of a 100,000-record table
//   BM_FullScanDbfread       the same scan by python3-dbfread (CPU time taken inside Python);
//                            its counter ratio_to_ours is dbfread's CPU time over ours

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "xbase/engine.h"
#include "xbase/table.h"

namespace {

using namespace zentrix::xbase;
using Clock = std::chrono::steady_clock;

// The machine is shared: CPU time shows the engine's own cost when other
// work competes for the cores, wall time what a user would wait.
double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

const std::vector<FieldSpec> kHistoryFields = {{"ID", 'N', 9, 0},        {"KEYID", 'C', 50, 0},
                                               {"NAME", 'C', 40, 0},     {"COURSEID", 'C', 10, 0},
                                               {"QTYPE_1", 'N', 2, 0},   {"DATE_1", 'N', 8, 0},
                                               {"TIMESTR_1", 'N', 8, 0}, {"QTAKEN_1", 'N', 4, 0},
                                               {"QRIGHT_1", 'N', 4, 0},  {"TESTID_1", 'C', 10, 0}};
const std::vector<TagSpec> kHistoryTags = {{"ID", "ID", ".NOT. DELETED()"},
                                           {"KEYID", "KeyID", ".NOT. DELETED()"},
                                           {"NAMEID", "Name", ".NOT. DELETED()"},
                                           {"COURSEID", "CourseID", ".NOT. DELETED()"}};

std::string scratch(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("zentrix-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

// Setting up a measurement must not fail quietly: a table half made would
// measure something else.
void must(const Status& status) {
    if (status) return;
    std::fprintf(stderr, "xbase_bench: %s\n", status.message().c_str());
    std::abort();
}

Status appendHistory(Table& t, int i) {
    char key[64], name[48];
    std::snprintf(key, sizeof key, "U%06d-COURSE-%d", (i * 7919) % 1000003, i % 37);
    std::snprintf(name, sizeof name, "Learner %d", (i * 104729) % 50000);
    ZX_TRY(t.appendBlank());
    ZX_TRY(t.assignLong(t.field("ID"), 1000000 + i));
    ZX_TRY(t.assign(t.field("KEYID"), key));
    ZX_TRY(t.assign(t.field("NAME"), name));
    ZX_TRY(t.assign(t.field("COURSEID"), "C-" + std::to_string(i % 37)));
    ZX_TRY(t.assignInt(t.field("QTYPE_1"), i % 3 + 1));
    ZX_TRY(t.assignLong(t.field("DATE_1"), 46000 + i % 900));
    ZX_TRY(t.assignLong(t.field("TIMESTR_1"), i % 86400));
    ZX_TRY(t.assignInt(t.field("QTAKEN_1"), 60));
    ZX_TRY(t.assignInt(t.field("QRIGHT_1"), i % 61));
    ZX_TRY(t.assign(t.field("TESTID_1"), "T" + std::to_string(i % 500)));
    return t.commit();
}

// A 100,000-record table, made once per run.
const std::string& scanTable() {
    static const std::string path = [] {
        const std::string p = scratch("scan.dbf");
        Engine engine;
        auto t = engine.create(p, kHistoryFields, {});
        must(t.status());
        for (int i = 0; i < 100000; ++i) must(appendHistory(*t.value(), i));
        return p;
    }();
    return path;
}

void BM_SeekEveryKey(benchmark::State& state) {
    const std::string path = scratch("seek.dbf");
    Engine engine;
    auto made = engine.create(path, {{"ID", 'C', 10, 0}, {"NUM", 'N', 6, 0}},
                              {{"ID", "ID", ".NOT. DELETED()"}});
    must(made.status());
    Table& t = *made.value();
    std::vector<std::string> keys;
    for (int i = 0; i < 10000; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "K%07d", (i * 7919) % 10007);
        keys.push_back(id);
        must(t.appendBlank());
        must(t.assign(t.field("ID"), id));
        must(t.assignInt(t.field("NUM"), i));
        must(t.commit());
    }
    must(t.selectTag(t.tag("ID")));
    size_t found = 0;
    for (auto _ : state)
        for (const auto& k : keys) found += t.seek(k);
    if (found != keys.size() * size_t(state.iterations()))
        state.SkipWithError("a key was not found");
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(keys.size()));
    // Time per iteration divided by 10,000 gives the time per seek.
}
BENCHMARK(BM_SeekEveryKey)->Unit(benchmark::kMicrosecond);

void BM_AppendWithFourTags(benchmark::State& state) {
    constexpr int kRecords = 100000, kSlice = 10000;
    double first = 0, last = 0, firstCpu = 0, lastCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = scratch("append.dbf");
        Engine engine;
        auto made = engine.create(path, kHistoryFields, kHistoryTags);
        must(made.status());
        Table& t = *made.value();
        state.ResumeTiming();
        auto sliceStart = Clock::now();
        double sliceCpu = cpuSeconds();
        for (int i = 0; i < kRecords; ++i) {
            if (!appendHistory(t, i)) {
                state.SkipWithError("commit failed");
                break;
            }
            if ((i + 1) % kSlice == 0) {
                const double us =
                    std::chrono::duration<double, std::micro>(Clock::now() - sliceStart).count() /
                    kSlice;
                const double cpuUs = (cpuSeconds() - sliceCpu) * 1e6 / kSlice;
                if (i + 1 == kSlice) first = us, firstCpu = cpuUs;
                if (i + 1 == kRecords) last = us, lastCpu = cpuUs;
                sliceStart = Clock::now();
                sliceCpu = cpuSeconds();
            }
        }
    }
    state.counters["wall_us_first_10k"] = first;
    state.counters["wall_us_last_10k"] = last;
    state.counters["cpu_us_first_10k"] = firstCpu;
    state.counters["cpu_us_last_10k"] = lastCpu;
    state.SetItemsProcessed(int64_t(state.iterations()) * kRecords);
}
BENCHMARK(BM_AppendWithFourTags)->Unit(benchmark::kMillisecond)->Iterations(1);

double oursScanSeconds = 0;

void BM_FullScan(benchmark::State& state) {
    const std::string& path = scanTable();
    size_t bytes = 0, records = 0;
    const double startCpu = cpuSeconds();
    for (auto _ : state) {
        Engine engine;
        auto opened = engine.open(path, OpenMode::ReadOnly);
        Table& t = *opened.value();
        for (bool on = t.top(); on; on = t.skip()) {
            for (int i = 0; i < t.fieldCount(); ++i) bytes += t.text(t.fieldAt(i)).size();
            ++records;
        }
    }
    oursScanSeconds = (cpuSeconds() - startCpu) / double(state.iterations());
    benchmark::DoNotOptimize(bytes);
    state.counters["records_per_second"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullScan)->Unit(benchmark::kMillisecond);

void BM_FullScanDbfread(benchmark::State& state) {
    const std::string& path = scanTable();
    const std::string script = scratch("scan.py");
    FILE* f = std::fopen(script.c_str(), "w");
    std::fputs(
        "import sys, time\n"
        "from dbfread import DBF\n"
        "start = time.process_time()\n"
        "n = 0\n"
        "for record in DBF(sys.argv[1], encoding='cp1252'):\n"
        "    for value in record.values(): pass\n"
        "    n += 1\n"
        "print(time.process_time() - start, n)\n",
        f);
    std::fclose(f);
    double seconds = 0;
    for (auto _ : state) {
        FILE* pipe = ::popen(("/usr/bin/python3 " + script + " " + path).c_str(), "r");
        double s = 0;
        long n = 0;
        if (!pipe || std::fscanf(pipe, "%lf %ld", &s, &n) != 2 || n != 100000) {
            if (pipe) ::pclose(pipe);
            state.SkipWithError("python3-dbfread did not run");
            return;
        }
        ::pclose(pipe);
        state.SetIterationTime(s);
        seconds += s;
    }
    seconds /= double(state.iterations());
    state.counters["records_per_second"] = 100000 / seconds;
    if (oursScanSeconds > 0) state.counters["ratio_to_ours"] = seconds / oursScanSeconds;
}
BENCHMARK(BM_FullScanDbfread)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
