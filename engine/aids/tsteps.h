#pragma once

// "Steps": the steps of a simulation question, one section a step, beside
// the main window. Fixed border, close box only, always on top.
//
// The main window fills it for a simulation question (Clear, AddStep with
// "Step " + i + ": " and the step text, SetTitle) and its steps button calls
// ToggleFromMainWindow. The tag records whether the window was opened by
// that toggle: btnSteps flips it and hides the window when it was 1.

#include <QPushButton>
#include <QRect>
#include <QWidget>

#include "ui/section_list_box.h"

class QLabel;

namespace zentrix::engine::aids {

class TSteps : public QWidget {
    Q_OBJECT
public:
    explicit TSteps(QWidget* owner = nullptr);

    void Clear();
    void AddStep(const QString& heading, const QString& text);
    void SetTitle(const QString& title);

    // Places the window for showing: tag := 0; left := main left + main
    // width - own client width - 15; top := main top + 127. `mainFrame` is
    // the main window's frame geometry.
    void PlaceBeside(const QRect& mainFrame);
    // The main window's steps button: show (placed beside the main window)
    // or hide, then act as btnSteps does.
    void ToggleFromMainWindow(const QRect& mainFrame);
    void btnStepsClick();
    void btnCloseClick();

    int Tag() const { return tag_; }

    QPushButton* btnSteps() const { return btnSteps_; }
    QPushButton* btnClose() const { return btnClose_; }
    QLabel* lblTitle() const { return lblTitle_; }
    ui::TSpecialListBox* ListBox1() const { return listBox_; }

    static constexpr int kMainTopOffset = 127;
    static constexpr int kMainRightMargin = 15;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* header_;
    QPushButton* btnSteps_;
    QPushButton* btnClose_;
    QLabel* lblTitle_;
    ui::TSpecialListBox* listBox_;
    int tag_ = 0;
};

}  // namespace zentrix::engine::aids
