#include "engine/screens/review_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

#include "engine/attempt/exam_attempt.h"
#include "engine/attempt/review_list.h"
#include "engine/screens/control_registry.h"
#include "engine/screens/review_list_box.h"
#include "engine/screens/screen_parts.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
namespace {

struct Counter {
    const char* caption;
    const char* captionName;
    const char* valueName;
};

// In the order of the layout table, top to bottom.
constexpr Counter kCounters[] = {
    {"Answered", "lbAnswered", "lbAnsw"},          {"Remaining", "lbReviewRemain", "lbRem"},
    {"Correct", "lbReviewCorrect", "lbCor"},       {"Incorrect", "lbReviewIncorrect", "lbIncor"},
    {"Incomplete", "lbReviewIncomplete", "lbcop"}, {"Percentage", "lbReviewperc", "lbper"},
};

}  // namespace

ReviewScreen::ReviewScreen(QWidget* window, ControlRegistry& registry, const ExamAttempt& attempt)
    : QObject(window), attempt_(attempt) {
    list_ = new ReviewListBox(window);
    list_->hide();
    registry.add("Report1ListBox", list_);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::currentRowChanged, this, &ReviewScreen::Report1ListBoxClick);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Report1ListBoxClick(list_->row(item)); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (attempt_.ExamEnded()) emit reviewRequested();
    });

    reviewIncomplete_ = AddScreenButton(window, registry, "btnReviewInComplete",
                                        "Review Incomplete", "Review the incomplete items", 142);
    review_ = AddScreenButton(window, registry, "btnReview", "Review Item",
                              "Review the item of the number beside", 142);
    returnToExam_ = AddScreenButton(window, registry, "btnReturntoExam", "Return to Exam",
                                    "Return to the exam", 142);
    results_ =
        AddScreenButton(window, registry, "btnExamResults", "Exam Results", "Exam results", 142);
    itemNumber_ = new QSpinBox(window);
    itemNumber_->resize(60, 22);
    itemNumber_->setRange(1, 1);
    itemNumber_->setAccessibleName(QStringLiteral("Item to review"));
    itemNumber_->hide();
    registry.add("ReviewItemEdit", itemNumber_);
    // The spin box stands right of Review: place Review's right edge before it.
    review_->resize(142, 22);

    for (int i = 0; i < 6; ++i) {
        captions_[i] = AddScreenLabel(window, registry, kCounters[i].captionName,
                                      QString::fromLatin1(kCounters[i].caption), 74, 12);
        values_[i] =
            AddScreenLabel(window, registry, kCounters[i].valueName, QString(), 60, 12, true);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_[i]->setAccessibleName(QString::fromLatin1(kCounters[i].caption));
    }

    QWidget::setTabOrder(list_, reviewIncomplete_);
    QWidget::setTabOrder(reviewIncomplete_, review_);
    QWidget::setTabOrder(review_, itemNumber_);
    QWidget::setTabOrder(itemNumber_, returnToExam_);
    QWidget::setTabOrder(returnToExam_, results_);
}

void ReviewScreen::Entered() {
    const bool ended = attempt_.ExamEnded();
    reviewIncomplete_->setVisible(ended);
    review_->setVisible(ended);
    results_->setVisible(ended);
    itemNumber_->setVisible(ended);
    returnToExam_->setVisible(!ended);
}

void ReviewScreen::Left() {
    if (OnLeft) OnLeft();
}

QWidget* ReviewScreen::FocusOnEntry() const { return list_; }

void ReviewScreen::Fill() {
    list_->blockSignals(true);
    list_->Fill(ReviewRows(attempt_.Items(), attempt_.Mode()));
    list_->blockSignals(false);
    list_->show();
    itemNumber_->setMaximum(std::max(attempt_.ItemCount(), 1));
    itemNumber_->setValue(1);
}

void ReviewScreen::ShowCounters(const ExamCounters& counters, ExamMode mode) {
    const ReviewCounterTexts texts = CounterTexts(counters, mode);
    const std::string* ordered[] = {&texts.answered,  &texts.remaining,  &texts.correct,
                                    &texts.incorrect, &texts.incomplete, &texts.percent};
    for (int i = 0; i < 6; ++i) values_[i]->setText(QString::fromStdString(*ordered[i]));
}

void ReviewScreen::Report1ListBoxClick(int row) {
    if (attempt_.ExamEnded() && row >= 0) itemNumber_->setValue(row + 1);
}

bool ReviewScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && attempt_.ExamEnded()) {
            emit reviewRequested();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zentrix::engine
