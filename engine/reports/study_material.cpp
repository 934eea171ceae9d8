#include "engine/reports/study_material.h"

#include "base/ascii_text.h"
#include "questionbank/answer_key.h"
#include "ui/report/document_style.h"
#include "ui/report/report_paginator.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::engine::reports {
namespace {

using report::Band;
using report::TextField;
namespace style = report::style;
using style::Text;

// More steps than any simulation has; a damaged count stops here.
constexpr int kMaxSteps = 500;

// Stored texts are padded with blanks, some with NUL bytes.
std::string TrimRight(std::string_view text) {
    return base::ascii::trimmedRight(text, std::string_view(" \0", 2));
}

}  // namespace

bool StudyGuideDueAfterAnswer(int sgAfterQues, const QuestionAnswer& item) {
    switch (sgAfterQues) {
        case 1:
            return item.Answered && !item.Correct;
        case 2:
            return item.Answered && item.Correct;
        case 3:
            return true;
        default:
            return false;
    }
}

std::vector<std::string> CorrectAnswerLines(const questionbank::TestQuestionInfo& question,
                                            StudyQuestionSource& source) {
    using namespace questionbank;
    const std::string key = TrimRight(question.ANSWER);
    std::vector<std::string> lines;
    switch (question.TYPE) {
        case kTrueFalse:
            lines.push_back(key == "TRUE" ? "TRUE" : "FALSE");
            break;
        case kSimulation:
            for (int i = 1; i <= std::min(question.NUMANSWER, kMaxSteps); ++i)
                lines.push_back(source.AnswerText(i));
            break;
        case kSingleChoice:
        case kMultipleChoice: {
            auto decoded = AnswerKey::decode(question.TYPE, key, question.NUMANSWER);
            if (!decoded) {
                lines.push_back("(The stored answer key \"" + key + "\" cannot be read.)");
                break;
            }
            for (int choice : decoded->rightChoices()) lines.push_back(source.AnswerText(choice));
            break;
        }
        default:
            break;
    }
    return lines;
}

TStudyMaterial::TStudyMaterial(StudyGuideInput input, StudyQuestionSource& questions)
    : input_(std::move(input)), questions_(questions) {}

bool TStudyMaterial::Listed(int i) const {
    if (!input_.items || i < 0 || i >= static_cast<int>(input_.items->size())) return false;
    const bool correct = (*input_.items)[i].Correct;
    switch (input_.listStudyGuide) {
        case kListCorrect:
            return correct;
        case kListAll:
            return true;
        default:
            return !correct;
    }
}

void TStudyMaterial::BeforePrint() {
    itemCounter_ = 0;
    printed_ = 0;
    singlePending_ = SingleItem;
}

std::optional<Band> TStudyMaterial::NextDetail() {
    const int count = input_.items ? static_cast<int>(input_.items->size()) : 0;
    if (SingleItem) {
        if (!singlePending_) return std::nullopt;
        singlePending_ = false;
        if (ItemIndex < 0 || ItemIndex >= count) return std::nullopt;
        ++printed_;
        return ItemBand(ItemIndex);
    }
    while (itemCounter_ < count && !Listed(itemCounter_)) ++itemCounter_;
    if (itemCounter_ >= count) {
        if (printed_ == 0 && itemCounter_ == count) {
            // Said once, so an empty guide does not look like a failed one.
            ++itemCounter_;
            Band none;
            TextField note =
                Text(QStringLiteral("There are no questions to list in this study guide."),
                     style::Body(), style::kMuted);
            note.font.italic = true;
            none.addText(note);
            return none;
        }
        return std::nullopt;
    }
    ++printed_;
    return ItemBand(itemCounter_++);
}

Band TStudyMaterial::ItemBand(int index) {
    const QuestionAnswer& item = (*input_.items)[index];
    Band band;
    band.spaceAfter = 4;
    const QString number = QStringLiteral("Question %1: ").arg(index + 1);
    const base::Status moved = questions_.MoveToItem(item);
    if (!moved) {
        band.addText(Text(number.trimmed(), style::Heading(), style::kAccent), 0, 0, 4);
        band.addText(
            Text(QStringLiteral("This question could not be read from the question bank: %1.")
                     .arg(QString::fromStdString(moved.message())),
                 style::Body(), style::kMuted));
        band.addRule(report::Rule{0.6, style::kHairline, 8, 6});
        return band;
    }
    const questionbank::TestQuestionInfo& q = questions_.CurrentQuestion();
    band.addText(Text(number + report::FromWindows1252(TrimRight(q.TITLE)), style::Heading(),
                      style::kAccent),
                 0, 0, 4);
    band.addText(Text(report::FromWindows1252(q.QUESTION).trimmed(), style::Body()), 0, 0, 8);

    band.addText(Text(QStringLiteral("Correct Answer:"), style::Label()), 0, 0, 2);
    QStringList answers;
    for (const std::string& line : CorrectAnswerLines(q, questions_))
        answers << report::FromWindows1252(line).trimmed();
    band.addText(Text(answers.join(QLatin1Char('\n')), style::Body()), 14, 0, 8);

    band.addText(Text(QStringLiteral("References:"), style::Label()), 0, 0, 2);
    const std::vector<report::CellContent> references =
        input_.references ? input_.references(q.REF) : FormattedReferenceText(q.REF);
    for (size_t i = 0; i < references.size(); ++i)
        band.addRow({report::Cell{14, 0, references[i]}}, i + 1 < references.size() ? 4 : 0);
    band.addRule(report::Rule{0.6, style::kHairline, 8, 6});
    return band;
}

report::ReportDefinition TStudyMaterial::Definition() {
    BeforePrint();
    report::ReportDefinition definition;
    definition.title = QStringLiteral("Study Material - %1").arg(input_.title);

    Band& title = definition.titleBand;
    title.spaceAfter = 10;
    title.addText(Text(QStringLiteral("Brenlo"), style::Brand(), style::kMuted), 0, 0, 10);
    title.addText(Text(QStringLiteral("Study Material for:"), style::Label(), style::kMuted), 0, 0,
                  2);
    title.addText(Text(input_.title, style::DocumentTitle(), style::kInk), 0, 0, 4);
    title.addText(Text(input_.candidate, style::Serif(12)), 0, 0, 0);
    title.addRule(report::Rule{1.5, style::kAccent, 8, 2});

    definition.nextDetail = [this] { return NextDetail(); };
    return definition;
}

report::RenderedReport TStudyMaterial::Render() { return report::Paginate(Definition()); }

}  // namespace zentrix::engine::reports
