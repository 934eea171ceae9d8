// libFuzzer harness for what an attempt takes from a question bank that may
// be damaged: answer keys, answer-row counts and types, time limits, exam
// sizes and mixed-exam settings. Nothing may crash, loop without end or break
// the attempt's promises: an item is judged right only for the right answer,
// no exam gives more questions than it holds, drawn numbers are distinct and
// in range, and the countdown's text is a time.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/attempt/answer_judge.h"
#include "engine/attempt/countdown.h"
#include "engine/attempt/exam_assembly.h"
#include "engine/attempt/random_source.h"
#include "engine/attempt/result_figures.h"

namespace {

using namespace zentrix::engine;

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    int32_t word() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return static_cast<int32_t>(v);
    }
    std::string text() {
        std::string t;
        const size_t n = byte() % 24;
        for (size_t i = 0; i < n; ++i) t.push_back(static_cast<char>(byte()));
        return t;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

class FromBytes : public RandomSource {
public:
    explicit FromBytes(Bytes& bytes) : bytes_(bytes) {}
    int Below(int n) override {
        const int v = static_cast<int>(static_cast<uint32_t>(bytes_.word()) % uint32_t(n));
        if (v < 0 || v >= n) std::abort();
        return v;
    }

private:
    Bytes& bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);

    // A question as a damaged bank may give it, judged from any widget report.
    zentrix::questionbank::TestQuestionInfo q;
    q.TYPE = in.byte() % 8;
    q.NUMANSWER = in.word();
    q.ANSWER = in.text();
    AnswerCapture capture;
    const size_t shown = in.byte() % 40;
    for (size_t i = 0; i < shown; ++i) capture.selected.push_back(in.byte() & 1);
    QuestionAnswer item;
    const JudgeOutcome outcome = RecordAnswer(item, q, capture);
    if (item.Correct && item.GivenAnswer != item.CorrectAnswer) std::abort();
    if (outcome.correct && !outcome.answered) std::abort();
    bool readable = false;
    const int key = KeyAsInteger(q.ANSWER, &readable);
    if (!readable && key != -1) std::abort();

    // A course's time limit and the countdown over any two times of day.
    const std::string limit = in.text();
    const TimeOfDayMs start = static_cast<uint32_t>(in.word()) % kMsPerDay;
    const TimeOfDayMs now = static_cast<uint32_t>(in.word()) % kMsPerDay;
    const CountdownTick tick = TickCountdown(start, limit, now);
    if (tick.timed && !tick.timeUp && tick.left.size() != 8) std::abort();
    if (!ReadTimeLimit(ClosedBookTimeLimit(in.word()))) std::abort();

    // A mixed exam over exams of any size, NumQ anything.
    std::vector<MixedExamEntry> exams(in.byte() % 12);
    long long held = 0;
    for (MixedExamEntry& exam : exams) {
        exam.QuestionCount = in.word() % 5000;
        held += std::max(exam.QuestionCount, 0);
    }
    const int total = in.word() % 20000;
    AllocateMixedShares(exams, std::max(total, 0));
    long long given = 0;
    for (const MixedExamEntry& exam : exams) {
        if (exam.Allocated < 0 || exam.Allocated > std::max(exam.QuestionCount, 0)) std::abort();
        given += exam.Allocated;
    }
    if (given > std::max(total, 0) || (held >= total && total > 0 && given != total)) std::abort();

    FromBytes random(in);
    const int count = in.byte() % 200;
    const std::vector<int> drawn = DrawQuestionNumbers(count, in.word() % 300, random);
    std::set<int> distinct(drawn.begin(), drawn.end());
    if (distinct.size() != drawn.size()) std::abort();
    for (int n : drawn) {
        if (n < 1 || n > count) std::abort();
    }

    const ResultFigures f = ComputeResultFigures(in.word() % 100000, in.word() % 100000, 436);
    (void)f;
    return 0;
}
