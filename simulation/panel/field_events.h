#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace zentrix::simulation::panel {

// The handlers the panel attaches to one field control and removes again:
// key down (may swallow the key), key press (sees a typed character before the
// field does), enter (the field got the focus) and click (a left click
// released over the field). One filter per field, watching the field and, for
// scrolling fields, the viewport that receives its mouse.
class FieldEvents : public QObject {
    Q_OBJECT
public:
    using KeyDownHandler = std::function<bool(QKeyEvent&)>;  // true: the key is swallowed
    using KeyPressHandler = std::function<void(QChar)>;
    using Handler = std::function<void()>;

    FieldEvents(QWidget* field, QWidget* mouseArea);

    KeyDownHandler OnKeyDown;
    KeyPressHandler OnKeyPress;
    Handler OnEnter;
    Handler OnClick;

    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* field_;
    QWidget* mouseArea_;
    bool leftPressed_ = false;
};

}  // namespace zentrix::simulation::panel
