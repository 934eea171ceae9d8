// The attempt's two hot paths on banks generated into the build tree (once;
// the large ones take a while):
//
//   BM_NextQuestion   moving to the next question through the real main
//                     window: record and judge the answer on screen, move the
//                     cursor, lay out a question of 10 choices and a long
//                     text; an exam of 5,000 questions. Goal: median under
//                     5 ms, worst under 16 ms (the counter worst_ms).
//   BM_MixedAssembly  assembling the mixed exam of a course of 100 exams of
//                     1,000 questions each, NumQ 1,000, through TTesting.
//                     Goal: under 100 ms.
//
// Run: build/bench/engine/zentrix_attempt_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "base/message_sink.h"
#include "bench_root.h"
#include "engine/attempt/exam_attempt.h"
#include "engine/attempt/random_source.h"
#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/platform_desktop_shell.h"
#include "engine/recording_dialog_service.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/test_screen.h"
#include "engine/tfrm_main.h"
#include "engine/ttesting_exam_bank.h"
#include "generated_bank.h"
#include "platform/platform.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"

namespace {

using namespace zentrix;

const std::string kBenchFolder = std::string(ZENTRIX_BINARY_DIR) + "/bench-engine";

void BM_NextQuestion(benchmark::State& state) {
    const std::string bank = bench::GeneratedQuestionBank(kBenchFolder, 1, 5000, 10, 600, 20);
    if (bank.empty()) return state.SkipWithError("the bank could not be generated");
    bench::BenchRoot root = bench::MakeBenchRoot(kBenchFolder + "/root-next-question", bank);
    engine::RecordingDialogService dialogs;
    engine::PlatformDesktopShell shell(*root.services->shell);
    engine::MainWindowContext context{dialogs,
                                      *root.services->registry,
                                      *root.services->profiles,
                                      shell,
                                      engine::OpenEngineData,
                                      {"zentrix", "NotRandomQuestions"},
                                      root.root + "/zentrix.INI"};
    engine::TfrmMain main(context);
    main.show();
    main.edName()->setText(QStringLiteral("Bench"));
    main.SelectExamRow(1);
    main.btnClosedBookClick();
    engine::AttemptController& attempt = *main.Attempt();
    if (attempt.Attempt().ItemCount() != 5000) return state.SkipWithError("exam not started");

    double worst = 0;
    for (auto _ : state) {
        if (main.CurrentScreen() != engine::ScreenId::TestWindow) {
            state.PauseTiming();
            attempt.Review().ReviewItemEdit()->setValue(1);
            attempt.btnReviewClick();
            state.ResumeTiming();
        }
        attempt.Test().PickChoice(attempt.Attempt().CurrentItem() % 10);
        const auto start = std::chrono::steady_clock::now();
        attempt.btnRightClick();
        const auto stop = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(stop - start).count();
        worst = std::max(worst, seconds * 1000);
        state.SetIterationTime(seconds);
    }
    state.counters["worst_ms"] = worst;
    state.counters["choices"] = attempt.Test().AnswersInUse();
}

void BM_MixedAssembly(benchmark::State& state) {
    const std::string folder = bench::GeneratedQuestionBank(kBenchFolder, 100, 1000, 2, 80, 1000);
    if (folder.empty()) return state.SkipWithError("the bank could not be generated");
    xbase::Engine xbaseEngine;
    xbaseEngine.options().reportOpenErrors = false;
    base::RecordingMessageSink sink;
    questionbank::TTesting testing(xbaseEngine, folder, sink);
    engine::TTestingExamBank bank(testing);
    struct Rows : engine::CatalogueListener {
        std::vector<questionbank::QVSimListInfo> rows;
        void OnSelectBegin() override { rows.clear(); }
        void OnSelectItem(const questionbank::QVSimListInfo& row) override { rows.push_back(row); }
        void OnSelectEnd() override {}
    } listing;
    bank.ListQVSelectTitles(listing, true, false);
    int mixedRow = -1;
    for (size_t i = 0; i < listing.rows.size(); ++i) {
        if (listing.rows[i].NodeKind == questionbank::kMixedRow) mixedRow = static_cast<int>(i);
    }
    if (mixedRow < 0) return state.SkipWithError("no mixed row");
    engine::ManualExamClock clock;
    engine::ClockSeededRandom random;
    engine::ExamAttempt attempt(bank, clock, random);
    size_t items = 0;
    for (auto _ : state) {
        engine::MixedExamAssembly assembly = attempt.StartMixed(listing.rows, mixedRow);
        items = assembly.items.size();
        benchmark::DoNotOptimize(assembly);
    }
    state.counters["items"] = static_cast<double>(items);
}

BENCHMARK(BM_NextQuestion)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(400);
BENCHMARK(BM_MixedAssembly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
