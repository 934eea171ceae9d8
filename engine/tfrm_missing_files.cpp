#include "engine/tfrm_missing_files.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentrix::engine {

TfrmMissingFiles::TfrmMissingFiles(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Missing Graphic Files"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setMinimumWidth(320);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QString TfrmMissingFiles::messageFor(const QString& fileName) {
    return QStringLiteral("Error: ") + fileName +
           QStringLiteral(" file could not be found in the graphics folder");
}

void TfrmMissingFiles::setFileName(const QString& fileName) {
    message_->setText(messageFor(fileName));
}

QString TfrmMissingFiles::text() const { return message_->text(); }

void TfrmMissingFiles::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    raise();
    activateWindow();
}

}  // namespace zentrix::engine
