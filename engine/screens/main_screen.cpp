#include "engine/screens/main_screen.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include "engine/screens/control_registry.h"
#include "engine/screens/screen_parts.h"
#include "ui/course_tree_view.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
MainScreen::MainScreen(QWidget* window, ControlRegistry& registry) : QObject(window) {
    tree_ = new ui::CourseTreeView(window);
    tree_->setAccessibleName(QStringLiteral("Courses and exams"));
    tree_->hide();
    registry.add("vsiTestSelectBox", tree_);

    name_ = new QLineEdit(QStringLiteral("Student"), window);
    name_->resize(190, 24);
    name_->setPlaceholderText(QStringLiteral("Your name"));
    name_->setAccessibleName(QStringLiteral("Your name"));
    name_->installEventFilter(this);
    name_->hide();
    registry.add("edName", name_);

    enter_ = AddScreenButton(window, registry, "BtnMainEnter", "Enter", "Start the selected exam");
    options_ = AddScreenButton(window, registry, "btOptions", "Options", "Study guide options");
    history_ = AddScreenButton(window, registry, "btnHistory", "History", "History of attempts");
    exit_ = AddScreenButton(window, registry, "btnExit", "Exit", "Exit Zentrix");

    QWidget::setTabOrder(tree_, name_);
    QWidget::setTabOrder(name_, options_);
    QWidget::setTabOrder(options_, history_);
    QWidget::setTabOrder(history_, enter_);
    QWidget::setTabOrder(enter_, exit_);
}

void MainScreen::Entered() { tree_->refreshVisibleRows(); }

QWidget* MainScreen::FocusOnEntry() const { return tree_; }

bool MainScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, name_, &QLineEdit::selectAll);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zentrix::engine
