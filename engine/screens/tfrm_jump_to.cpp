#include "engine/screens/tfrm_jump_to.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>

#include "engine/bank_text.h"
#include "engine/screens/screen_parts.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
TfrmJumpTo::TfrmJumpTo(QWidget* parent)
    : QDialog(parent),
      background_(new QLabel(this)),
      list_(new QListWidget(this)),
      ok_(new ui::PictureButton(QStringLiteral("OK"), this)),
      close_(new ui::PictureButton(QStringLiteral("Close"), this)) {
    setWindowTitle(QStringLiteral("Exam Questions"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    background_->setGeometry(rect());
    background_->setPixmap(
        BuiltInPanel(QSize(kWidth, kHeight), QStringLiteral("Exam Questions"), 30));
    list_->setObjectName(QStringLiteral("lstboxQuestions"));
    list_->setAccessibleName(QStringLiteral("Exam questions"));
    list_->setGeometry(14, 40, kWidth - 28, kHeight - 40 - 46);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(12);
    list_->setFont(mono);
    ok_->setObjectName(QStringLiteral("btnOK"));
    close_->setObjectName(QStringLiteral("btnClose"));
    ok_->setAccessibleName(QStringLiteral("Go to the selected question"));
    close_->setAccessibleName(QStringLiteral("Close without jumping"));
    ok_->setGeometry(kWidth - 14 - 72 - 8 - 72, kHeight - 36, 72, 22);
    close_->setGeometry(kWidth - 14 - 72, kHeight - 36, 72, 22);
    connect(ok_, &QAbstractButton::clicked, this, &TfrmJumpTo::btnOKClick);
    connect(close_, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &TfrmJumpTo::btnOKClick);
    setTabOrder(list_, ok_);
    setTabOrder(ok_, close_);
}

void TfrmJumpTo::Fill(const std::vector<std::string>& lines) {
    list_->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) texts.push_back(BankText(line));
    list_->addItems(texts);
}

void TfrmJumpTo::ResetResult() {
    confirmed_ = false;
    index_ = 0;
}

void TfrmJumpTo::SetPictures(const QPixmap& background, const QPixmap& ok, const QPixmap& close) {
    // The skin's picture is stretched to the dialog.
    if (!background.isNull()) {
        background_->setPixmap(
            background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    if (!ok.isNull()) {
        ok_->setPicture(ok);
        ok_->resize(ok.size());
    }
    if (!close.isNull()) {
        close_->setPicture(close);
        close_->resize(close.size());
    }
}

void TfrmJumpTo::CentreOver(const QWidget* window) {
    if (!window) return;
    const QRect frame = window->frameGeometry();
    move(frame.center() - QPoint(kWidth / 2, kHeight / 2));
}

void TfrmJumpTo::btnOKClick() {
    confirmed_ = true;
    index_ = list_->currentRow();
    accept();
}

void TfrmJumpTo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        btnOKClick();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape rejects
}

void TfrmJumpTo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    list_->setFocus();
}

void TfrmJumpTo::SelectRow(int row) {
    list_->setCurrentRow(row);
    if (QListWidgetItem* item = list_->item(row)) list_->scrollToItem(item);
}

}  // namespace zentrix::engine
