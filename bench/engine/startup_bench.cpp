// From process start to the first painted main screen, for a small bank and
// for a bank of 1,000 courses of 10 exams. Also the same path inside one
// process (main window creation, skin, first paint) to separate the cost of
// starting a process and Qt from the engine's own start-up.
//
// Banks are generated once into the build tree (the large one takes a while).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <map>

#include "bench_root.h"
#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/platform_desktop_shell.h"
#include "engine/recording_dialog_service.h"
#include "engine/tfrm_main.h"
#include "generated_bank.h"
#include "platform/platform.h"

namespace {

using namespace zentrix;

const std::string kBenchFolder = std::string(ZENTRIX_BINARY_DIR) + "/bench-engine";

using bench::BenchRoot;

BenchRoot& RootFor(int courses, int exams) {
    static std::map<std::pair<int, int>, BenchRoot> roots;
    BenchRoot& entry = roots[{courses, exams}];
    if (entry.services) return entry;
    const std::string bank = bench::GeneratedBank(kBenchFolder, courses, exams);
    entry = bench::MakeBenchRoot(
        kBenchFolder + "/root-" + std::to_string(courses) + "x" + std::to_string(exams), bank);
    return entry;
}

void BM_ProcessStartToFirstPaint(benchmark::State& state) {
    BenchRoot& root = RootFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ZENTRIX_PLATFORM_ROOT", QString::fromStdString(root.root));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(ZENTRIX_STARTUP_PROBE), {});
        probe.waitForFinished(60000);
        if (probe.exitCode() != 0) state.SkipWithError("the probe did not reach its first paint");
    }
}

void BM_MainWindowToFirstPaint(benchmark::State& state) {
    BenchRoot& root = RootFor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    engine::RecordingDialogService dialogs;
    engine::PlatformDesktopShell shell(*root.services->shell);
    for (auto _ : state) {
        engine::MainWindowContext context{dialogs,
                                          *root.services->registry,
                                          *root.services->profiles,
                                          shell,
                                          engine::OpenEngineData,
                                          {"zentrix"},
                                          root.root + "/zentrix.INI"};
        engine::TfrmMain main(context);
        main.LoadSkin(main.Folders().GraphicDir);
        main.show();
        benchmark::DoNotOptimize(main.grab());
        state.counters["rows"] = static_cast<double>(main.TreeRows().size());
    }
}

BENCHMARK(BM_ProcessStartToFirstPaint)
    ->Args({2, 3})
    ->Args({1000, 10})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_MainWindowToFirstPaint)
    ->Args({2, 3})
    ->Args({1000, 10})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
