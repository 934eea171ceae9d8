// Loading a simulation of 200 frames of 640x400 pixels with 10 zones each,
// showing every frame in order, then frame 1 again.
//
// Two pictures, "dialogs" and "repaints" (bench_screenshots.h).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "bench_screenshots.h"
#include "simulation/question_service.h"
#include "simulation/simulation_loader.h"

namespace {

using namespace zentrix::simulation;
using namespace zentrix::simulation::bench;

constexpr int kFrames = 200;
constexpr int kZonesPerFrame = 10;

class NeverAsked : public QuestionService {
public:
    bool askYesNo(const QString&) override { return false; }
};

TZone zone(int frame, int z) {
    TZone zone;
    static constexpr int kTypes[kZonesPerFrame] = {3, 0, 1, 8, 4, 5, 12, 9, 10, 7};
    zone.ZoneType = kTypes[z];
    zone.Points[0] = QPoint(10 + z * 60, 10 + z * 30);
    zone.Points[1] = QPoint(60 + z * 60, 40 + z * 30);
    zone.Shape = z % 2;
    zone.TargetFrame = frame < kFrames ? frame + 1 : frame;
    if (zone.ZoneType == 1 || zone.ZoneType == 8) {
        zone.FieldFlags = 0x1000 | 0x40 | 0x8000 | 0x2;
        zone.FontSize = 9;
        zone.FontName = QStringLiteral("Tahoma");
        zone.AnswerText = QStringLiteral("answer %1").arg(frame);
    }
    if (zone.ZoneType == 7) zone.CursorCode = 21;
    return zone;
}

QString writeSimulation(const QString& folder, QImage (*screenshot)(int)) {
    return writeBenchSimulation(folder + QStringLiteral("/bench.qsf"), kFrames, kZonesPerFrame,
                                screenshot, zone);
}

// The input is made in a child process, so that the peak memory reported is
// that of loading and showing, not of making 400 screenshots.
struct Fixture {
    QTemporaryDir folder;
    QString dialogs = folder.path() + QStringLiteral("/d/bench.qsf");
    QString repaints = folder.path() + QStringLiteral("/r/bench.qsf");
    Fixture() {
        const pid_t child = fork();
        if (child == 0) {
            QDir().mkpath(folder.path() + "/d");
            QDir().mkpath(folder.path() + "/r");
            writeSimulation(folder.path() + "/d", dialogScreenshot);
            writeSimulation(folder.path() + "/r", repaintScreenshot);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!QFile::exists(dialogs) || !QFile::exists(repaints)) std::abort();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

const QString& pathFor(int which) { return which == 0 ? fixture().dialogs : fixture().repaints; }

void setPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void load(const QString& path, SimulationContent& content) {
    NeverAsked questions;
    auto outcome = SimulationLoader(questions).load(path, content);
    if (!outcome.isOk() || *outcome != LoadOutcome::Read) std::abort();
}

void BM_Load(benchmark::State& state) {
    const QString& path = pathFor(static_cast<int>(state.range(0)));
    state.counters["file_KiB"] = QFile(path).size() / 1024.0;
    for (auto _ : state) {
        SimulationContent content;
        load(path, content);
        benchmark::DoNotOptimize(content.Frames.data());
    }
    setPeakMemory(state);
}

void BM_ShowEveryFrameInOrder(benchmark::State& state) {
    SimulationContent content;
    load(pathFor(static_cast<int>(state.range(0))), content);
    for (auto _ : state) {
        for (int n = 1; n <= kFrames; ++n) {
            content.Picture.showFrame(n);
            benchmark::DoNotOptimize(content.Picture.image().constBits());
        }
    }
    state.counters["per_frame"] = benchmark::Counter(
        kFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    setPeakMemory(state);
}

void BM_ShowFrameOneAgain(benchmark::State& state) {
    SimulationContent content;
    load(pathFor(static_cast<int>(state.range(0))), content);
    for (auto _ : state) {
        // Going back always starts again at frame 1, from whichever frame is shown.
        state.PauseTiming();
        content.Picture.showFrame(2);
        state.ResumeTiming();
        content.Picture.showFrame(1);
        benchmark::DoNotOptimize(content.Picture.image().constBits());
    }
    setPeakMemory(state);
}

// Argument 0: dialogs, 1: repaints.
BENCHMARK(BM_Load)->ArgName("repaints")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowEveryFrameInOrder)
    ->ArgName("repaints")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowFrameOneAgain)->ArgName("repaints")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
