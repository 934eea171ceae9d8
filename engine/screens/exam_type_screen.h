#pragma once

// The exam type screen (screen 3): Open Book and Closed Book with their two
// explanations, the number of questions to take, and Main.

#include <QObject>

#include "engine/screens/screen_controller.h"

class QLabel;
class QSpinBox;
class QTextEdit;
class QWidget;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class ControlRegistry;

class ExamTypeScreen : public QObject, public ScreenController {
    Q_OBJECT
public:
    ExamTypeScreen(QWidget* window, ControlRegistry& registry);

    QWidget* FocusOnEntry() const override;

    // The chosen exam holds `count` questions (at least 1): the spin box
    // runs from 1 to the count and starts at the count.
    void SetQuestionCount(int count);

    ui::PictureButton* btnOpenBook() const { return openBook_; }
    ui::PictureButton* btnClosedBook() const { return closedBook_; }
    ui::PictureButton* btnExamTypeMain() const { return main_; }
    QSpinBox* edtNumQuestions() const { return count_; }
    QLabel* lbNoQuestions() const { return available_; }

private:
    ui::PictureButton* openBook_;
    ui::PictureButton* closedBook_;
    ui::PictureButton* main_;
    QTextEdit* openExplanation_;
    QTextEdit* closedExplanation_;
    QLabel* available_;
    QLabel* toTake_;
    QSpinBox* count_;
};

}  // namespace zentrix::engine
