#include "setup/window/status_panel.h"

#include <QPainter>

namespace zentrix::setup {

StatusPanel::StatusPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("Status"));
}

void StatusPanel::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    setAccessibleDescription(caption);
    update();
}

void StatusPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.isEmpty()) return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(contentsRect().adjusted(6, 0, -6, 0), Qt::AlignCenter | Qt::TextWordWrap,
                     caption_);
}

}  // namespace zentrix::setup
