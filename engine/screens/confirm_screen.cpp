#include "engine/screens/confirm_screen.h"

#include "engine/screens/control_registry.h"
#include "ui/picture_button.h"

namespace zentrix::engine {

ConfirmScreen::ConfirmScreen(QWidget* window, ControlRegistry& registry) : QObject(window) {
    begin_ = new ui::PictureButton(QStringLiteral("Begin"), window);
    begin_->setAccessibleName(QStringLiteral("Begin the mixed exam"));
    begin_->hide();
    registry.add("btnConfirmBegin", begin_);
    main_ = new ui::PictureButton(QStringLiteral("Main"), window);
    main_->setAccessibleName(QStringLiteral("Back to the main screen"));
    main_->hide();
    registry.add("btnConfirmMain", main_);
    QWidget::setTabOrder(begin_, main_);
}

QWidget* ConfirmScreen::FocusOnEntry() const { return begin_; }

}  // namespace zentrix::engine
