#pragma once

// The running-score popup "Report": remaining (items not yet seen), correct,
// incorrect and percent in four read-only boxes, over the skin's popup
// picture, whose size it takes. It stays on top without taking the focus
// from the test screen; its return button (ReturnToTest), Escape or the
// test screen's score key close it. Placed with its right edge 2 pixels
// inside the question area's right edge and its bottom 378 pixels below the
// question area's top, and placed again when the main window moves.

#include <QWidget>

#include "engine/attempt/exam_counters.h"

class QLabel;
class QLineEdit;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class TReportPopup : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBottomBelowAreaTop = 378;
    static constexpr int kRightInset = 2;

    explicit TReportPopup(QWidget* parent = nullptr);

    void ShowCounts(const ExamCounters& counters);
    // The popup's picture and its return button's; null keeps the built-in look.
    void SetPictures(const QPixmap& background, const QPixmap& returnButton);
    // `area` is the question area's rectangle in screen coordinates.
    void PlaceBy(const QRect& area);

    QLineEdit* edRemaining() const { return boxes_[0]; }
    QLineEdit* edCorrect() const { return boxes_[1]; }
    QLineEdit* edIncorrect() const { return boxes_[2]; }
    QLineEdit* edPercentage() const { return boxes_[3]; }
    ui::PictureButton* ReturnToTest() const { return return_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();

    QLabel* background_;
    QLabel* captions_[4];
    QLineEdit* boxes_[4];
    ui::PictureButton* return_;
};

}  // namespace zentrix::engine
