// How fast reports are made and shown:
// - a study guide of 500 questions built, paginated and written as PDF
//   (goal: under 2 s), and the same without the PDF;
// - one page of the preview drawn afresh at its fitted zoom, and repainted
//   from its cached picture (goal: under 16 ms).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <map>

#include "engine/reports/study_material.h"
#include "questionbank/bank_records.h"
#include "ui/report/page_view.h"
#include "ui/report/pdf_export.h"
#include "ui/report/qrp_file.h"

namespace {

using namespace zentrix;

// Five questions of every type, repeated: what a large exam's guide holds.
class BenchQuestions : public engine::reports::StudyQuestionSource {
public:
    BenchQuestions() {
        const char* longText =
            "A technician connects two switches with a crossover cable and notices that the link "
            "light stays off. "
            "Which of the following explains the fault, given that both ports are set to auto "
            "negotiation?";
        for (int i = 0; i < 5; ++i) {
            questionbank::TestQuestionInfo q;
            q.NUM = i + 1;
            q.ID = 100 + i;
            q.TYPE = i == 0 ? 0 : i == 1 ? 1 : i == 2 ? 5 : i == 3 ? 3 : 1;
            q.TITLE = "Question title " + std::to_string(i + 1);
            q.QUESTION = longText;
            q.NUMANSWER = 4;
            q.ANSWER = q.TYPE == 0 ? "TRUE" : q.TYPE == 5 ? "11" : "2";
            q.REF = i % 2 ? "{\\rtf1\\ansi Chapter 7, \\b Switching\\b0\\par See also the vendor's "
                            "notes on MDI-X.}"
                          : "Chapter 4, section 2: cabling standards and link negotiation.";
            questions_.push_back(q);
        }
    }
    base::Status MoveToItem(const engine::QuestionAnswer& item) override {
        current_ = &questions_[(item.QuestionNo - 1) % questions_.size()];
        return base::Status::ok();
    }
    const questionbank::TestQuestionInfo& CurrentQuestion() const override { return *current_; }
    std::string AnswerText(int index) override {
        return "Answer row " + std::to_string(index) + ": the port needs a straight-through cable";
    }

private:
    std::vector<questionbank::TestQuestionInfo> questions_;
    const questionbank::TestQuestionInfo* current_ = nullptr;
};

engine::ExamItems Items(int n) {
    engine::ExamItems items;
    for (int i = 0; i < n; ++i) {
        engine::QuestionAnswer q;
        q.TestId = "NET101A";
        q.QuestionNo = i % 5 + 1;
        items.push_back(q);
    }
    return items;
}

report::RenderedReport Guide(const engine::ExamItems& items, BenchQuestions& source) {
    engine::reports::StudyGuideInput input;
    input.candidate = QStringLiteral("Ada Lovelace");
    input.title = QStringLiteral("Networking Basics, part A");
    input.items = &items;
    input.listStudyGuide = 2;
    engine::reports::TStudyMaterial guide(input, source);
    return guide.Render();
}

void BM_StudyGuide500ToPdf(benchmark::State& state) {
    const engine::ExamItems items = Items(500);
    BenchQuestions source;
    size_t pages = 0;
    for (auto _ : state) {
        const report::RenderedReport report = Guide(items, source);
        auto pdf = report::PdfBytes(report);
        benchmark::DoNotOptimize(pdf);
        pages = report.pages.size();
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["qrp_kib"] = report::EncodeReport(Guide(items, source)).size() / 1024.0;
}
BENCHMARK(BM_StudyGuide500ToPdf)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

void BM_StudyGuide500Paginate(benchmark::State& state) {
    const engine::ExamItems items = Items(500);
    BenchQuestions source;
    for (auto _ : state) benchmark::DoNotOptimize(Guide(items, source));
}
BENCHMARK(BM_StudyGuide500Paginate)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

// The first page of a twelve-question guide in the preview at 100%.
struct PreviewPage {
    PreviewPage() : items(Items(12)), report(Guide(items, source)), view(report) {
        view.setZoom(1.0);
        view.resize(view.sizeHint());
    }
    engine::ExamItems items;
    BenchQuestions source;
    report::RenderedReport report;
    report::PageView view;
};

void BM_PreviewPageDrawnAfresh(benchmark::State& state) {
    PreviewPage page;
    report::PageView& view = page.view;
    double zoom = 1.0;
    for (auto _ : state) {
        zoom = zoom == 1.0 ? 1.0001 : 1.0;  // a new zoom drops the cached picture
        view.setZoom(zoom);
        benchmark::DoNotOptimize(view.shownPage());
    }
}
BENCHMARK(BM_PreviewPageDrawnAfresh)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_PreviewPageRepaint(benchmark::State& state) {
    PreviewPage page;
    report::PageView& view = page.view;
    view.show();
    QApplication::processEvents();
    for (auto _ : state) view.repaint();
}
BENCHMARK(BM_PreviewPageRepaint)->Unit(benchmark::kMillisecond)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
