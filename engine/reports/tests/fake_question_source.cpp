#include "fake_question_source.h"

#include <QBuffer>

namespace zentrix::engine::reports::testing {

int FakeQuestionSource::add(const std::string& exam, int type, const std::string& title,
                            std::vector<std::string> rows, const std::string& key,
                            const std::string& ref) {
    const int number = ++counts_[exam];
    FakeQuestion q;
    q.info.NUM = number;
    q.info.ID = 100 + number;
    q.info.TYPE = type;
    q.info.TITLE = title;
    q.info.QUESTION = "Text of " + title;
    q.info.NUMANSWER = static_cast<int>(rows.size());
    q.info.ANSWER = key;
    q.info.REF = ref;
    q.rows = std::move(rows);
    questions_[{exam, number}] = std::move(q);
    return number;
}

base::Status FakeQuestionSource::MoveToItem(const QuestionAnswer& item) {
    moves.emplace_back(item.TestId, item.QuestionNo);
    const auto found = questions_.find({item.TestId, item.QuestionNo});
    if (found == questions_.end())
        return base::Status::error("exam " + item.TestId + " has no question " +
                                   std::to_string(item.QuestionNo));
    current_ = &found->second;
    return base::Status::ok();
}

std::string FakeQuestionSource::AnswerText(int index) {
    if (!current_ || index < 1 || index > static_cast<int>(current_->rows.size())) return {};
    return current_->rows[index - 1];
}

std::string FakeQuestionSource::ExamTitle(const std::string& testId) {
    const auto found = titles.find(testId);
    return found == titles.end() ? std::string() : found->second;
}

QuestionAnswer Item(const std::string& exam, int number, bool correct, bool answered) {
    QuestionAnswer item;
    item.TestId = exam;
    item.QuestionNo = number;
    item.Seen = true;
    item.Answered = answered;
    item.Correct = correct;
    return item;
}

std::string RtfPicture(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return "{\\pict\\pngblip\\picw" + std::to_string(picture.width()) + "\\pich" +
           std::to_string(picture.height()) + " " + png.toHex().toStdString() + "}";
}

}  // namespace zentrix::engine::reports::testing
