#include "engine/attempt/answer_judge.h"

#include <algorithm>
#include <charconv>

#include "base/ascii_text.h"

namespace zentrix::engine {
namespace {

using namespace questionbank;

// The widest mask a 32-bit answer can hold without going negative.
constexpr int kMaxMaskChoices = 31;

bool selected(const AnswerCapture& capture, int index) {
    return index >= 0 && index < static_cast<int>(capture.selected.size()) &&
           capture.selected[static_cast<size_t>(index)];
}

}  // namespace

int KeyAsInteger(const std::string& key, bool* readable) {
    const std::string_view text = base::ascii::trimmedView(key, base::ascii::kBlank);
    int value = 0;
    bool ok = false;
    if (!text.empty()) {
        const char* begin = text.data();
        if (*begin == '+') ++begin;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(begin, end, value);
        ok = error == std::errc() && stop == end && begin != end;
    }
    if (readable) *readable = ok;
    return ok ? value : -1;
}

JudgeOutcome RecordAnswer(QuestionAnswer& item, const TestQuestionInfo& question,
                          const AnswerCapture& capture) {
    JudgeOutcome outcome;
    item.Seen = true;
    item.QuestionTitle = question.TITLE;
    item.QuestionType = question.TYPE;
    item.AnswerCount = question.NUMANSWER;
    bool readable = true;
    switch (question.TYPE) {
        case kTrueFalse:
            item.Answered = false;
            if (selected(capture, 0)) {
                item.Answered = true;
                item.GivenAnswer = 0;
            }
            if (selected(capture, 1)) {
                item.Answered = true;
                item.GivenAnswer = 1;
            }
            item.CorrectAnswer =
                base::ascii::trimmedRightView(question.ANSWER, base::ascii::kBlank) == "TRUE" ? 0
                                                                                              : 1;
            break;
        case kSingleChoice: {
            item.CorrectAnswer = KeyAsInteger(question.ANSWER, &readable);
            // Only the choices shown can be selected; a damaged NUMANSWER
            // larger than that changes nothing but the length of the walk.
            const int shown =
                std::min(question.NUMANSWER, static_cast<int>(capture.selected.size()));
            if (question.NUMANSWER >= 1) item.Answered = false;
            for (int i = 1; i <= shown; ++i) {
                if (selected(capture, i - 1)) {
                    item.Answered = true;
                    item.GivenAnswer = i;
                    break;
                }
            }
            break;
        }
        case kMultipleChoice: {
            item.CorrectAnswer = KeyAsInteger(question.ANSWER, &readable);
            int32_t mask = 0;
            for (int i = 1; i <= question.NUMANSWER && i <= kMaxMaskChoices; ++i) {
                if (selected(capture, i - 1)) mask |= int32_t{1} << (i - 1);
            }
            if (mask != 0) {
                item.Answered = true;
                item.GivenAnswer = mask;
            }
            break;
        }
        default:
            break;
    }
    if (item.Answered) item.Correct = item.GivenAnswer == item.CorrectAnswer;
    outcome.answered = item.Answered;
    outcome.correct = item.Answered && item.Correct;
    outcome.damagedKey = !readable;
    return outcome;
}

void RecordSimulationOutcome(QuestionAnswer& item, bool correct) {
    item.Answered = true;
    item.GivenAnswer = correct ? 0 : 1;
    item.CorrectAnswer = 0;
}

}  // namespace zentrix::engine
