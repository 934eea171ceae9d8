#pragma once

// TStudyMaterial: the study guide, a banded report of the attempt's
// questions with their correct answers and references.
//
// The title band reads "Brenlo", "Study Material for:", the title and the
// candidate; each listed item gets a band with "Question n: title", the
// question text, "Correct Answer:" with the answer lines and "References:"
// with the references, closed by a rule. Which items are listed is the
// setting ListStudyGuide (0 the items not correct, 1 the correct ones, 2 all)
// or, in single-item mode, the one item ItemIndex (shown after an open-book
// answer).
//
// Building the report moves the question cursor of `questions` (and in the
// mixed exam opens each item's exam); the TTesting source keeps OnQuestion
// unregistered meanwhile. Everything is read while Render() runs: the pages
// it gives no longer depend on the bank.

#include <QString>
#include <optional>

#include "engine/attempt/question_answer.h"
#include "engine/reports/reference_text.h"
#include "engine/reports/report_question_source.h"
#include "ui/report/rendered_report.h"
#include "ui/report/report_definition.h"

namespace zentrix::engine::reports {

struct StudyGuideInput {
    QString candidate;
    // The open exam's title, or in the mixed exam the title of the course
    // row remembered when the exam was chosen.
    QString title;
    ExamMode mode = ExamMode::OpenBook;
    const ExamItems* items = nullptr;
    int listStudyGuide = 0;  // ListStudyGuide
    ReferenceFormatter references = FormattedReferenceText;
};

class TStudyMaterial {
public:
    static constexpr int kListIncorrect = 0;
    static constexpr int kListCorrect = 1;
    static constexpr int kListAll = 2;

    // `input.items` and `questions` must outlive the object.
    TStudyMaterial(StudyGuideInput input, StudyQuestionSource& questions);

    // Single-item mode: the report holds item `ItemIndex` only.
    bool SingleItem = false;
    int ItemIndex = 0;

    report::RenderedReport Render();

    // The report as bands; its detail callback reads the bank, so the
    // definition must be paginated while the source is still there.
    report::ReportDefinition Definition();

    // Whether item `i` is listed by the ListStudyGuide filter.
    bool Listed(int i) const;

private:
    void BeforePrint();
    std::optional<report::Band> NextDetail();
    report::Band ItemBand(int index);

    StudyGuideInput input_;
    StudyQuestionSource& questions_;
    int itemCounter_ = 0;
    bool singlePending_ = false;
    int printed_ = 0;
};

// Whether the study guide of the item just answered is due in an open-book
// exam, by the setting SG_AfterQues: 0 never, 1 when answered and not
// correct, 2 when answered and correct, 3 always. Show it with SingleItem
// and ItemIndex := the item's index.
bool StudyGuideDueAfterAnswer(int sgAfterQues, const QuestionAnswer& item);

// The correct answer lines of the current question: "TRUE" or "FALSE";
// the right choice's text; every step; or the text of every right choice in
// ascending order. A key that cannot be read gives one line saying so.
std::vector<std::string> CorrectAnswerLines(const questionbank::TestQuestionInfo& question,
                                            StudyQuestionSource& source);

}  // namespace zentrix::engine::reports
