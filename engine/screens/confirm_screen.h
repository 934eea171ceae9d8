#pragma once

// The confirm screen of a mixed exam (screen 4): Begin and Main.

#include <QObject>

#include "engine/screens/screen_controller.h"

class QWidget;

namespace zentrix::ui {
class PictureButton;
}

namespace zentrix::engine {

class ControlRegistry;

class ConfirmScreen : public QObject, public ScreenController {
    Q_OBJECT
public:
    ConfirmScreen(QWidget* window, ControlRegistry& registry);
    QWidget* FocusOnEntry() const override;

    ui::PictureButton* btnConfirmBegin() const { return begin_; }
    ui::PictureButton* btnConfirmMain() const { return main_; }

private:
    ui::PictureButton* begin_;
    ui::PictureButton* main_;
};

}  // namespace zentrix::engine
