#include "ui/picture_button.h"

#include <QPainter>

namespace zentrix::ui {

PictureButton::PictureButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    resize(72, 22);
}

void PictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

QSize PictureButton::sizeHint() const { return hasPicture() ? picture_.size() : QSize(72, 22); }

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (hasPicture()) {
        painter.drawPixmap(rect(), picture_);
        if (isDown()) painter.fillRect(rect(), QColor(0, 0, 0, 40));
        if (isChecked()) painter.fillRect(rect(), QColor(255, 200, 60, 60));
        paintFocus(painter);
        return;
    }
    // Built-in look, used until a skin supplies a picture: a calm slate pill.
    QColor fill = isDown()   ? QColor(44, 74, 104)
                  : hovered_ ? QColor(72, 108, 144)
                             : QColor(58, 92, 126);
    if (!isEnabled()) fill = QColor(150, 160, 170);
    painter.setPen(QColor(30, 50, 72));
    painter.setBrush(fill);
    painter.drawRoundedRect(frame, 4, 4);
    painter.setPen(Qt::white);
    QFont captionFont = font();
    captionFont.setPixelSize(qMax(9, qMin(12, height() - 9)));
    captionFont.setBold(true);
    painter.setFont(captionFont);
    painter.drawText(rect(), Qt::AlignCenter, text());
    paintFocus(painter);
}

void PictureButton::paintFocus(QPainter& painter) const {
    // A keyboard user must see where the focus is, on any skin.
    if (!hasFocus()) return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(230, 150, 20), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}

void PictureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace zentrix::ui
