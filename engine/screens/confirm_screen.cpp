#include "engine/screens/confirm_screen.h"

#include "engine/screens/control_registry.h"
#include "engine/screens/screen_parts.h"
#include "ui/picture_button.h"

namespace zentrix::engine {

ConfirmScreen::ConfirmScreen(QWidget* window, ControlRegistry& registry) : QObject(window) {
    begin_ = AddScreenButton(window, registry, "btnConfirmBegin", "Begin", "Begin the mixed exam");
    main_ = AddScreenButton(window, registry, "btnConfirmMain", "Main", "Back to the main screen");
    QWidget::setTabOrder(begin_, main_);
}

QWidget* ConfirmScreen::FocusOnEntry() const { return begin_; }

}  // namespace zentrix::engine
