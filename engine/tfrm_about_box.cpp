#include "engine/tfrm_about_box.h"

#include <QLabel>
#include <QPixmap>

#include "engine/require_graphic.h"
#include "ui/picture_button.h"

namespace zentrix::engine {

TfrmAboutBox::TfrmAboutBox(const std::string& picturePath, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Zentrix"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    auto* picture = new QLabel(this);
    QPixmap splash;
    if (IsExistingFile(picturePath)) splash.load(QString::fromStdString(picturePath));
    hasPicture_ = !splash.isNull();
    const QSize size = hasPicture_ ? splash.size() : QSize(400, 250);
    setFixedSize(size);
    picture->setGeometry(0, 0, size.width(), size.height());
    if (hasPicture_) {
        picture->setPixmap(splash);
    } else {
        picture->setStyleSheet(QStringLiteral(
            "background: #e8edf2; border: 1px solid #3a5c7e; color: #2c4a68; font-size: 14px;"));
        picture->setAlignment(Qt::AlignCenter);
        picture->setText(
            QStringLiteral("<b style='font-size:22px'>Zentrix</b><br><br>"
                           "Practice exams for certification training"));
    }
    auto* help = new ui::PictureButton(QStringLiteral("Help"), this);
    auto* close = new ui::PictureButton(QStringLiteral("Close"), this);
    help->setObjectName(QStringLiteral("btnAboutHelp"));
    close->setObjectName(QStringLiteral("btnAboutClose"));
    help->setGeometry(size.width() - 160, size.height() - 30, 72, 22);
    close->setGeometry(size.width() - 82, size.height() - 30, 72, 22);
    connect(help, &QAbstractButton::clicked, this, [this] { done(kHelpRequested); });
    connect(close, &QAbstractButton::clicked, this, &QDialog::reject);
}

}  // namespace zentrix::engine
