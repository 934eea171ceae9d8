// What a learner waits for with a 50 KB formatted hint (the text of
// rich_text_bench's "Hint50K"), in the hint window itself:
//  - "NextQuestionHintHidden": the next question loads its hint into the
//    window while the window is closed (every question pays this);
//  - "NextQuestionHintShown": the same while the window is open, until the
//    window has painted the new text;
//  - "OpenHint": the hint button opens the window on a loaded hint, until it
//    has painted (sized to its text, as the test screen opens it).
// Goal: under 2 ms where the learner waits. Compare CPU times on a shared
// machine.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "engine/aids/thint_form.h"
#include "study_text_sample.h"

namespace {

using zentrix::engine::aids::THintForm;

void paintNow(THintForm& window) { window.Hint()->viewport()->repaint(); }

void NextQuestionHintHidden(benchmark::State& state) {
    const QByteArray& text = zentrix::bench::hintSample();
    THintForm window;
    for (auto _ : state) {
        window.LoadText(std::string_view(text.constData(), size_t(text.size())));
        benchmark::ClobberMemory();
    }
}

void NextQuestionHintShown(benchmark::State& state) {
    const QByteArray& text = zentrix::bench::hintSample();
    THintForm window;
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.LoadText(std::string_view(text.constData(), size_t(text.size())));
        paintNow(window);
    }
}

void OpenHint(benchmark::State& state) {
    const QByteArray& text = zentrix::bench::hintSample();
    THintForm window;
    for (auto _ : state) {
        state.PauseTiming();
        window.hide();
        window.LoadText(std::string_view(text.constData(), size_t(text.size())));
        QApplication::processEvents();  // the text before it is let go of
        state.ResumeTiming();
        window.ToggleVisible();
        window.FitHeightToText(120, 420);
        paintNow(window);
    }
}

BENCHMARK(NextQuestionHintHidden)->Unit(benchmark::kMillisecond);
BENCHMARK(NextQuestionHintShown)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenHint)->Unit(benchmark::kMillisecond);

}  // namespace
