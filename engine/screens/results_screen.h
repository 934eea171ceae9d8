#pragma once

// The results screen (screen 7): "Passing Score", "Your Score" and "Grade"
// with their values, the chart of the required and the learner's score
// inside the bar border with nine tick marks and the scale "0", "500",
// "1000", and the report buttons (study guide and certificate: view, save,
// open) beside Main and Quit.

#include <QObject>

#include "engine/attempt/result_figures.h"
#include "engine/screens/screen_controller.h"
#include "engine/skin_colors.h"

class QFrame;
class QLabel;
class QWidget;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class ControlRegistry;

class ResultsScreen : public QObject, public ScreenController {
    Q_OBJECT
public:
    static constexpr int kTickCount = 9;

    ResultsScreen(QWidget* window, ControlRegistry& registry);

    void Left() override;
    QWidget* FocusOnEntry() const override;

    void SetColors(const SkinColors& colors);
    // Draws the figures of an attempt (after the history record is ended).
    void ShowResults(const ResultFigures& figures);

    QLabel* lbPass() const { return pass_; }
    QLabel* lbScore() const { return score_; }
    QLabel* lbGrade() const { return grade_; }
    QFrame* BarBorder() const { return barBorder_; }
    QFrame* RequiredScoreBar() const { return requiredBar_; }
    QFrame* YourScoreBar() const { return yourBar_; }
    QFrame* Shape(int k) const { return ticks_[k - 1]; }  // k from 1 to 9
    ui::PictureButton* btnViewStudy() const { return viewStudy_; }
    ui::PictureButton* btnSaveStudy() const { return saveStudy_; }
    ui::PictureButton* btnOpenStudy() const { return openStudy_; }
    ui::PictureButton* btnViewExam() const { return viewExam_; }
    ui::PictureButton* btnSaveExam() const { return saveExam_; }
    ui::PictureButton* btnOpenExam() const { return openExam_; }
    ui::PictureButton* btnResultsMain() const { return main_; }
    ui::PictureButton* btnQuit() const { return quit_; }

private:
    QLabel* pass_;
    QLabel* score_;
    QLabel* grade_;
    QFrame* scoreBorder_;
    QFrame* barBorder_;
    QFrame* requiredBar_;
    QFrame* yourBar_;
    QFrame* ticks_[kTickCount];
    ui::PictureButton* viewStudy_;
    ui::PictureButton* saveStudy_;
    ui::PictureButton* openStudy_;
    ui::PictureButton* viewExam_;
    ui::PictureButton* saveExam_;
    ui::PictureButton* openExam_;
    ui::PictureButton* main_;
    ui::PictureButton* quit_;
};

}  // namespace zentrix::engine
