#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

#include "simulation/gif_picture.h"

namespace zentrix::simulation::panel {

// The picture control of the panel: shows the frame the picture has composed
// at its top-left corner, 1:1, and never animates by itself. It reports the
// mouse through handlers that its owner sets and removes; an unset handler is
// skipped. A left press followed by a release over the control is a click,
// reported before the release; a double click is reported before the press
// that comes with it.
class GifImage : public QWidget {
    Q_OBJECT
public:
    using ButtonHandler = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>;
    using MoveHandler = std::function<void(Qt::KeyboardModifiers, QPoint)>;
    using Handler = std::function<void()>;

    explicit GifImage(QWidget* parent = nullptr);

    void setPicture(const GifPicture* picture);
    // Shows frame n of the picture and repaints; false when n is out of range.
    bool showFrame(int n);
    int currentFrame() const { return picture_ ? picture_->currentFrame() : 0; }
    int frameCount() const { return picture_ ? picture_->frameCount() : 0; }

    Handler OnClick;
    Handler OnDblClick;
    MoveHandler OnMouseMove;
    ButtonHandler OnMouseDown;
    ButtonHandler OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    GifPicture* mutablePicture() const { return const_cast<GifPicture*>(picture_); }

    const GifPicture* picture_ = nullptr;
    bool leftPressed_ = false;  // a left press that a release turns into a click
};

}  // namespace zentrix::simulation::panel
