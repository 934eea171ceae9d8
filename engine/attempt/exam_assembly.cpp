#include "engine/attempt/exam_assembly.h"

#include <algorithm>

#include "engine/attempt/score.h"

namespace zentrix::engine {

using questionbank::QVSimListInfo;

void AllocateMixedShares(std::vector<MixedExamEntry>& exams, int total) {
    long long sum = 0;
    for (const MixedExamEntry& exam : exams) sum += std::max(exam.QuestionCount, 0);
    int remaining = total;
    for (MixedExamEntry& exam : exams) {
        // A count below 0 (a damaged table) is an exam without questions.
        const int holds = std::max(exam.QuestionCount, 0);
        exam.Share = sum > 0 ? static_cast<float>(holds) / static_cast<float>(sum) : 0;
        exam.Allocated = static_cast<int>(
            RoundHalfEven(static_cast<long double>(total) * static_cast<long double>(exam.Share)));
        if (exam.Allocated > remaining) exam.Allocated = remaining;
        remaining -= exam.Allocated;
    }
    if (remaining > 0 && !exams.empty()) exams.back().Allocated += remaining;

    // No exam gives more than it holds; the excess goes to exams with spare
    // questions, in tree order.
    int excess = 0;
    for (MixedExamEntry& exam : exams) {
        const int holds = std::max(exam.QuestionCount, 0);
        if (exam.Allocated > holds) {
            excess += exam.Allocated - holds;
            exam.Allocated = holds;
        }
    }
    for (MixedExamEntry& exam : exams) {
        if (excess == 0) break;
        const int spare = std::max(exam.QuestionCount, 0) - exam.Allocated;
        const int given = std::min(spare, excess);
        exam.Allocated += given;
        excess -= given;
    }
}

std::vector<int> DrawQuestionNumbers(int count, int n, RandomSource& random) {
    count = std::max(count, 0);
    n = std::clamp(n, 0, count);
    std::vector<int> pool(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) pool[static_cast<size_t>(i)] = i + 1;
    std::vector<int> drawn;
    drawn.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const size_t at =
            pool.size() == 1 ? 0 : static_cast<size_t>(random.Below(static_cast<int>(pool.size())));
        drawn.push_back(pool[at]);
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return drawn;
}

ExamItems AssembleSingleExam(AttemptBank& bank, const std::string& testId, int n, bool randomOrder,
                             RandomSource& random) {
    std::vector<int> numbers;
    if (randomOrder) {
        random.Reseed();
        numbers = DrawQuestionNumbers(bank.QuestionCount(), n, random);
    } else {
        for (int i = 1; i <= n; ++i) numbers.push_back(i);
    }
    ExamItems items;
    items.reserve(numbers.size());
    for (int number : numbers) {
        QuestionAnswer item;
        item.QuestionNo = number;
        if (bank.GoToTestQuestion(number) == 0) item.QuestionTitle = bank.CurrentQuestion().TITLE;
        item.TestId = testId;
        items.push_back(std::move(item));
    }
    return items;
}

MixedExamAssembly AssembleMixedExam(AttemptBank& bank, const std::vector<QVSimListInfo>& rows,
                                    int selectedRow, RandomSource& random) {
    MixedExamAssembly result;
    auto fail = [&result](const char* text) {
        result.messages.push_back({false, text});
        result.items.clear();
        return result;
    };
    if (selectedRow < 0 || selectedRow >= static_cast<int>(rows.size()) ||
        rows[static_cast<size_t>(selectedRow)].NodeKind != questionbank::kMixedRow) {
        return fail(kNotAMixedExamMessage);
    }
    const std::string courseId = rows[static_cast<size_t>(selectedRow)].CourseId;
    result.course.Id = courseId;
    bank.GetParentInfo(result.course);

    size_t courseRow = 0;
    while (courseRow < rows.size() && !(rows[courseRow].CourseId == courseId &&
                                        rows[courseRow].NodeKind == questionbank::kCourseRow)) {
        ++courseRow;
    }
    if (courseRow == rows.size()) return fail(kCourseNotFoundMessage);

    for (size_t i = courseRow + 1; i < rows.size(); ++i) {
        const QVSimListInfo& row = rows[i];
        if (row.CourseId != courseId || row.NodeKind != questionbank::kExamRow) break;
        MixedExamEntry exam;
        exam.CourseId = courseId;
        exam.TestId = row.TestId;
        if (bank.IsOpen()) bank.CloseTest();
        if (bank.OpenTest(row.TestId) == 0) {
            exam.QuestionCount = std::max(bank.QuestionCount(), 0);
            bank.CloseTest();
        }
        result.exams.push_back(std::move(exam));
    }
    if (result.exams.empty()) return fail(kNoExamsMessage);

    const int total = result.course.NumQ;
    AllocateMixedShares(result.exams, std::max(total, 0));

    struct Drawn {
        std::string testId;
        int number;
    };
    std::vector<Drawn> drawn;
    for (const MixedExamEntry& exam : result.exams) {
        random.Reseed();
        for (int number : DrawQuestionNumbers(exam.QuestionCount, exam.Allocated, random)) {
            drawn.push_back({exam.TestId, number});
        }
    }
    if (drawn.empty()) return fail(kNoQuestionsToDrawMessage);
    if (static_cast<int>(drawn.size()) != total) {
        result.messages.push_back({false, kSortingErrorMessage});
    }

    result.items.reserve(drawn.size());
    while (!drawn.empty()) {
        const size_t k = static_cast<size_t>(random.Below(static_cast<int>(drawn.size())));
        QuestionAnswer item;
        item.QuestionNo = drawn[k].number;
        item.TestId = drawn[k].testId;
        result.items.push_back(std::move(item));
        drawn.erase(drawn.begin() + static_cast<std::ptrdiff_t>(k));
    }
    result.assembled = true;
    return result;
}

}  // namespace zentrix::engine
