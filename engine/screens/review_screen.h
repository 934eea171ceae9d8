#pragma once

// The review screen (screen 6): the item list with its signs, the six
// counters, and Review Incomplete, Review (with the item number to review),
// Return to Exam and Exam Results. Once the attempt has ended the learner
// picks an item by clicking its row (or moving to it with the keys) and
// reviews it by double-click, Enter or Review; before that the list only
// shows and Return to Exam is the way back.

#include <QObject>
#include <functional>

#include "engine/attempt/exam_counters.h"
#include "engine/attempt/question_answer.h"
#include "engine/screens/screen_controller.h"

class QLabel;
class QSpinBox;
class QWidget;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class ControlRegistry;
class ExamAttempt;
class ReviewListBox;

class ReviewScreen : public QObject, public ScreenController {
    Q_OBJECT
public:
    ReviewScreen(QWidget* window, ControlRegistry& registry, const ExamAttempt& attempt);

    void Entered() override;
    void Left() override;
    QWidget* FocusOnEntry() const override;

    // Run when the screen is left (the attempt hides the score popup that
    // the end of the time put over the review).
    std::function<void()> OnLeft;

    // Clears and fills the list, sets the item number to 1 with maximum N.
    void Fill();
    // TallyExam: the counters beside their captions.
    void ShowCounters(const ExamCounters& counters, ExamMode mode);

    ReviewListBox* Report1ListBox() const { return list_; }
    QSpinBox* ReviewItemEdit() const { return itemNumber_; }
    ui::PictureButton* btnReviewInComplete() const { return reviewIncomplete_; }
    ui::PictureButton* btnReview() const { return review_; }
    ui::PictureButton* btnReturntoExam() const { return returnToExam_; }
    ui::PictureButton* btnExamResults() const { return results_; }
    QLabel* lbRem() const { return values_[1]; }
    QLabel* lbCor() const { return values_[2]; }
    QLabel* lbIncor() const { return values_[3]; }
    QLabel* lbcop() const { return values_[4]; }
    QLabel* lbper() const { return values_[5]; }
    QLabel* lbAnsw() const { return values_[0]; }

signals:
    // Double-click or Enter on a row after the end: review that item (from 1).
    void reviewRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report1ListBoxClick(int row);

    const ExamAttempt& attempt_;
    ReviewListBox* list_;
    QSpinBox* itemNumber_;
    ui::PictureButton* reviewIncomplete_;
    ui::PictureButton* review_;
    ui::PictureButton* returnToExam_;
    ui::PictureButton* results_;
    QLabel* captions_[6];
    QLabel* values_[6];
};

}  // namespace zentrix::engine
