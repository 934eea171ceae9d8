// Speed of the two question-bank paths the learner waits on:
//   - listing the catalogue of a bank of 1,000 courses with 10 exams each
//     (goal: under 50 ms);
//   - opening an exam of 5,000 questions and moving the cursor to every
//     question, reading its answer rows (goal: under 100 ms in all).
// The banks are built once in a scratch folder before the measurements.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/message_sink.h"
#include "questionbank/bank_layout.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace fs = std::filesystem;
using zentrix::questionbank::TTesting;

namespace {

constexpr int kCourses = 1000;
constexpr int kExamsPerCourse = 10;
constexpr int kQuestions = 5000;
constexpr int kRowsPerQuestion = 4;

std::string scratch(const char* name) {
    const fs::path folder = fs::temp_directory_path() / ("zentrix-bench-" + std::string(name) +
                                                         "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string() + "/";
}

// Building a bank must not fail quietly: a bank half made would measure
// something else.
void must(const zentrix::base::Status& status) {
    if (status) return;
    std::fprintf(stderr, "questionbank_bench: %s\n", status.message().c_str());
    std::abort();
}

// Courses through TTesting; exam records straight into the exam table, as
// the catalogue listing reads only those (no exam tables needed).
const std::string& catalogueBank() {
    static const std::string folder = [] {
        const std::string dir = scratch("catalogue");
        zentrix::xbase::Engine engine;
        zentrix::base::SilentMessageSink sink;
        {
            TTesting bank(engine, dir, sink);
            for (int c = 0; c < kCourses; ++c) {
                bank.AddParent("C" + std::to_string(c), "Course " + std::to_string(c), "", "1:00",
                               50);
            }
        }
        auto exams = engine.open(dir + "gtest.dbf");
        must(exams.status());
        zentrix::xbase::Table& t = *exams.value();
        for (int c = 0; c < kCourses; ++c) {
            for (int e = 0; e < kExamsPerCourse; ++e) {
                must(t.appendBlank());
                must(
                    t.assign(t.field("PRODID"), "E" + std::to_string(c) + "_" + std::to_string(e)));
                must(t.assign(t.field("PARENT"), "C" + std::to_string(c)));
                must(t.assign(t.field("TABLENAME"), "T" + std::to_string(e)));
                must(t.assignMemo(t.field("TITLE"),
                                  "Exam " + std::to_string(e) + " of course " + std::to_string(c)));
                must(t.assignLong(t.field("NUMTESTQ"), 0));
                must(t.assignLong(t.field("NEXTID"), 1));
                must(t.commit());
            }
        }
        return dir;
    }();
    return folder;
}

const std::string& examBank() {
    static const std::string folder = [] {
        const std::string dir = scratch("exam");
        zentrix::xbase::Engine engine;
        zentrix::base::SilentMessageSink sink;
        TTesting bank(engine, dir, sink);
        bank.AddParent("C1", "Course", "", "1:00", 50);
        bank.AddTest("BIG", "C1", "big/", "BIG", "A big exam");
        bank.OpenTest("BIG");
        for (int q = 1; q <= kQuestions; ++q) {
            const int id =
                bank.AddTestQuestion(q, 1, "Question " + std::to_string(q), "Which one is right?",
                                     kRowsPerQuestion, "2", "hint", "reference", "", 0);
            for (int r = 1; r <= kRowsPerQuestion; ++r)
                bank.SetTestQuestionXtra(id, r, "Choice " + std::to_string(r));
        }
        bank.CloseTest();
        return dir;
    }();
    return folder;
}

void countRow(void* context, const std::string&, const std::string&, const std::string&,
              unsigned char, unsigned char, unsigned char, unsigned char, int, int) {
    ++*static_cast<long*>(context);
}

void BM_ListCatalogue(benchmark::State& state) {
    zentrix::xbase::Engine engine;
    zentrix::base::SilentMessageSink sink;
    TTesting bank(engine, catalogueBank(), sink);
    long rows = 0;
    bank.OnSelectItem = {&countRow, &rows};
    for (auto _ : state) {
        rows = 0;
        bank.ListQVSelectTitles(true, false);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ListCatalogue)->Unit(benchmark::kMillisecond);

void BM_OpenExamAndVisitEveryQuestion(benchmark::State& state) {
    zentrix::xbase::Engine engine;
    zentrix::base::SilentMessageSink sink;
    TTesting bank(engine, examBank(), sink);
    size_t characters = 0;
    for (auto _ : state) {
        bank.OpenTest("BIG");
        for (int n = 1; n <= bank.QuestionCount(); ++n) {
            bank.GoToTestQuestion(n);
            for (int r = 1; r <= bank.QuestionInfo().NUMANSWER; ++r)
                characters += bank.GetAnswerText(r).size();
        }
        bank.CloseTest();
    }
    benchmark::DoNotOptimize(characters);
    state.counters["questions"] = kQuestions;
}
BENCHMARK(BM_OpenExamAndVisitEveryQuestion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
