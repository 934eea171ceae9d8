// The simulation panel at play: 200 frames of 640x400 pixels, 30 zones each
// (areas, pointer zones, text and address fields).
//
//   BM_FrameChange        one frame to the next: regions, fields, repaint
//   BM_GoBackOneFrame     frame 200 to frame 199 (composed from a kept frame)
//   BM_FailedDragReturn   a drag dropped off its release zone on frame 199:
//                         the wrong action and the return to the press frame
//
// Pictures as in simulation_bench (bench_screenshots.h).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "bench_screenshots.h"
#include "simulation/error_reporter.h"
#include "simulation/panel/tbz_demo_q_engine.h"
#include "simulation/question_service.h"

namespace {

using namespace zentrix::simulation;
using namespace zentrix::simulation::bench;
using zentrix::simulation::panel::TBZDemoQEngine;

constexpr int kFrames = 200;

class Silent : public QuestionService, public ErrorReporter {
public:
    bool askYesNo(const QString&) override { return false; }
    void reportError(const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::abort();
    }
};

// Zone z of frame f: 12 area zones, 10 pointer zones, 6 text fields, 2
// address fields. Frame 199 has a press zone whose release zone lies on 200.
TZone zone(int frame, int z) {
    TZone zone;
    const int column = z % 6, row = z / 6;
    zone.Points[0] = QPoint(10 + column * 100, 10 + row * 75);
    zone.Points[1] = QPoint(90 + column * 100, 60 + row * 75);
    zone.TargetFrame = frame < kFrames ? frame + 1 : 1;
    static constexpr int kTypes[30] = {3, 3, 4, 5, 12, 0, 9, 10, 11, 3, 4, 12, 7, 7,  7,
                                       7, 7, 7, 7, 7,  7, 7, 1,  2,  8, 1, 2,  8, 14, 14};
    zone.ZoneType = kTypes[z];
    // A frame with a press zone is where a failed drag returns to: the last
    // frame, where the drag goes, has none.
    if (frame == kFrames && zone.ZoneType == 9) zone.ZoneType = 3;
    zone.Shape = static_cast<std::uint8_t>(z % 3 == 2 ? 4 : z % 2);
    if (zone.Shape == 4) {
        zone.PointCount = 5;
        for (int i = 0; i < 5; ++i)
            zone.Points[i] =
                QPoint(10 + column * 100 + (i * 37) % 80, 10 + row * 75 + (i * 23) % 50);
    }
    if (zone.ZoneType == 7) zone.CursorCode = 2 + z % 20;
    if (zone.ZoneType == 0) zone.TargetFrame = 0;  // a hover zone that never fires here
    if (zone.ZoneType == 9 || zone.ZoneType == 11) {
        zone.TargetFrame = frame == kFrames - 1 ? kFrames : 0;
    }
    if (zone.ZoneType == 1 || zone.ZoneType == 2 || zone.ZoneType == 8 || zone.ZoneType == 14) {
        zone.FieldFlags = 0x1000 | 0x40 | 0x8000 | 0x800 | 0x2000 | (z % 2 ? 0x2 : 0x20);
        zone.FontSize = 9;
        zone.FontColor = 0x000000;
        zone.BackColor = 17;
        zone.FontName =
            zone.ZoneType == 14 ? QStringLiteral("Courier New") : QStringLiteral("Tahoma");
        zone.AnswerText = QStringLiteral("answer %1").arg(frame);
    }
    return zone;
}

QString writeSimulation(const QString& folder, QImage (*screenshot)(int)) {
    return writeBenchSimulation(folder + QStringLiteral("/panel-bench.qsf"), kFrames, 30,
                                screenshot, [](int frame, int z) {
                                    TZone made = zone(frame, z);
                                    made.ZoneId = (frame - 1) * 30 + z + 1;
                                    return made;
                                });
}

struct Fixture {
    QTemporaryDir folder;
    QString paths[2];
    Silent silent;
    std::unique_ptr<TBZDemoQEngine> panel;
    int loaded = -1;

    Fixture() {
        QDir().mkpath(folder.path() + "/d");
        QDir().mkpath(folder.path() + "/r");
        paths[0] = writeSimulation(folder.path() + "/d", dialogScreenshot);
        paths[1] = writeSimulation(folder.path() + "/r", repaintScreenshot);
        TBZDemoQEngine::Services services;
        services.questions = &silent;
        services.errors = &silent;
        services.tempFolder = folder.path();
        panel = std::make_unique<TBZDemoQEngine>(std::move(services));
        panel->resize(kWidth, kHeight);
        panel->show();
    }
    TBZDemoQEngine& load(int which) {
        if (loaded != which && !panel->LoadSimulation(paths[which])) std::abort();
        loaded = which;
        return *panel;
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_FrameChange(benchmark::State& state) {
    TBZDemoQEngine& panel = fixture().load(static_cast<int>(state.range(0)));
    panel.ShowFrame(1);
    int next = 2;
    for (auto _ : state) {
        panel.ShowFrame(next);
        panel.repaint();
        if (++next > kFrames) {
            state.PauseTiming();
            panel.ShowFrame(1);
            next = 2;
            state.ResumeTiming();
        }
    }
}

void BM_GoBackOneFrame(benchmark::State& state) {
    TBZDemoQEngine& panel = fixture().load(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        panel.ShowFrame(kFrames);
        state.ResumeTiming();
        panel.ShowFrame(kFrames - 1);
        panel.repaint();
    }
    state.counters["frames_drawn"] = panel.framesDrawnLastChange();
}

void BM_FailedDragReturn(benchmark::State& state) {
    TBZDemoQEngine& panel = fixture().load(static_cast<int>(state.range(0)));
    const QPoint pressZone(50, 85), offEverything(635, 395);
    for (auto _ : state) {
        state.PauseTiming();
        panel.ShowFrame(kFrames - 1);
        state.ResumeTiming();
        panel.OnMouseDownHandler(Qt::LeftButton, {}, pressZone);    // to frame 200
        panel.GIFImage1MouseUp(Qt::LeftButton, {}, offEverything);  // back to 199
        panel.repaint();
        if (panel.currentFrame() != kFrames - 1) std::abort();
    }
}

BENCHMARK(BM_FrameChange)->ArgName("repaints")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoBackOneFrame)->ArgName("repaints")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FailedDragReturn)->ArgName("repaints")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    fixture().panel.reset();
    return 0;
}
