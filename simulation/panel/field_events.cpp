#include "simulation/panel/field_events.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zentrix::simulation::panel {

FieldEvents::FieldEvents(QWidget* field, QWidget* mouseArea)
    : QObject(field), field_(field), mouseArea_(mouseArea) {
    field_->installEventFilter(this);
    if (mouseArea_ != field_) mouseArea_->installEventFilter(this);
}

void FieldEvents::clear() {
    OnKeyDown = nullptr;
    OnKeyPress = nullptr;
    OnEnter = nullptr;
    OnClick = nullptr;
}

// Handlers are copied before they run: a handler may show another frame,
// which clears or replaces the handlers of this field.
bool FieldEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_) {
        if (event->type() == QEvent::KeyPress) {
            auto& key = static_cast<QKeyEvent&>(*event);
            if (auto handler = OnKeyDown; handler && handler(key)) return true;
            const QString text = key.text();
            if (auto handler = OnKeyPress; handler && text.size() == 1) handler(text.at(0));
            return false;
        }
        if (event->type() == QEvent::FocusIn) {
            if (auto handler = OnEnter) handler();
            return false;
        }
    }
    if (watched == mouseArea_) {
        if (event->type() == QEvent::MouseButtonPress) {
            leftPressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const bool click = leftPressed_ && mouse->button() == Qt::LeftButton &&
                               mouseArea_->rect().contains(mouse->position().toPoint());
            leftPressed_ = false;
            if (auto handler = OnClick; handler && click) handler();
        }
    }
    return false;
}

}  // namespace zentrix::simulation::panel
