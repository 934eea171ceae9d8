#pragma once

// The main screen (screen 1): the course tree, the learner's name, and
// Enter, Options, History and Exit. The main window handles what the
// buttons and the tree report.

#include <QObject>

#include "engine/screens/screen_controller.h"

class QLineEdit;
class QWidget;

namespace zentrix::ui {
class CourseTreeView;
class PictureButton;
}  // namespace zentrix::ui

namespace zentrix::engine {

class ControlRegistry;

class MainScreen : public QObject, public ScreenController {
    Q_OBJECT
public:
    MainScreen(QWidget* window, ControlRegistry& registry);

    void Entered() override;
    QWidget* FocusOnEntry() const override;

    ui::CourseTreeView* vsiTestSelectBox() const { return tree_; }
    QLineEdit* edName() const { return name_; }
    ui::PictureButton* BtnMainEnter() const { return enter_; }
    ui::PictureButton* btOptions() const { return options_; }
    ui::PictureButton* btnHistory() const { return history_; }
    ui::PictureButton* btnExit() const { return exit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ui::CourseTreeView* tree_;
    QLineEdit* name_;
    ui::PictureButton* enter_;
    ui::PictureButton* options_;
    ui::PictureButton* history_;
    ui::PictureButton* exit_;
};

}  // namespace zentrix::engine
