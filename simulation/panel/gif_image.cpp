#include "simulation/panel/gif_image.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentrix::simulation::panel {

GifImage::GifImage(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAccessibleName(tr("Simulation screen"));
}

void GifImage::setPicture(const GifPicture* picture) {
    picture_ = picture;
    update();
}

bool GifImage::showFrame(int n) {
    if (!picture_ || !mutablePicture()->showFrame(n)) return false;
    update();
    return true;
}

void GifImage::paintEvent(QPaintEvent*) {
    if (!picture_ || picture_->currentFrame() == 0) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_->image());
}

// Handlers are copied before they run: a handler may show another frame,
// which sets new handlers in place of the running one.
void GifImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
    if (auto handler = OnMouseDown)
        handler(event->button(), event->modifiers(), event->position().toPoint());
}

void GifImage::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: the double click first, then the press.
    if (auto handler = OnDblClick; handler && event->button() == Qt::LeftButton) handler();
    if (auto handler = OnMouseDown)
        handler(event->button(), event->modifiers(), event->position().toPoint());
}

void GifImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && leftPressed_) {
        leftPressed_ = false;
        if (auto handler = OnClick; handler && rect().contains(point)) handler();
    }
    if (auto handler = OnMouseUp) handler(event->button(), event->modifiers(), point);
}

void GifImage::mouseMoveEvent(QMouseEvent* event) {
    if (auto handler = OnMouseMove) handler(event->modifiers(), event->position().toPoint());
}

}  // namespace zentrix::simulation::panel
