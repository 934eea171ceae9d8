#include "engine/screens/screen_parts.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

#include "engine/screens/control_registry.h"
#include "ui/picture_button.h"

namespace zentrix::engine {

ui::PictureButton* AddScreenButton(QWidget* window, ControlRegistry& registry, const char* name,
                                   const char* caption, const char* accessible, int width) {
    auto* button = new ui::PictureButton(QString::fromLatin1(caption), window);
    button->resize(width, 22);
    button->setAccessibleName(QString::fromLatin1(accessible));
    button->hide();
    registry.add(name, button);
    return button;
}

QLabel* AddScreenLabel(QWidget* window, ControlRegistry& registry, const char* name,
                       const QString& text, int width, int pixelSize, bool bold) {
    auto* label = new QLabel(text, window);
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->resize(width, pixelSize + 8);
    label->hide();
    registry.add(name, label);
    return label;
}

Hourglass::Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
Hourglass::~Hourglass() { QApplication::restoreOverrideCursor(); }

QPixmap BuiltInPanel(QSize size, const QString& title, int stripHeight) {
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), QColor(240, 244, 248));
    painter.fillRect(QRect(0, 0, size.width(), stripHeight), QColor(44, 74, 104));
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(12, 0, size.width() - 24, stripHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     title);
    painter.setPen(QColor(58, 92, 126));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

QPixmap SkinPixmap(const Skin& skin, SkinPicture picture) {
    if (!skin.hasPicture(picture)) return QPixmap();
    return QPixmap(QString::fromStdString(skin.picturePath(picture)));
}

}  // namespace zentrix::engine
