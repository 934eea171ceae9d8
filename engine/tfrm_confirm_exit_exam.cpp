#include "engine/tfrm_confirm_exit_exam.h"

#include <QFrame>
#include <QLabel>

#include "ui/picture_button.h"

namespace zentrix::engine {

TfrmConfirmExitExam::TfrmConfirmExitExam(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Confirm Exit Exam"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(298, 100);
    auto* frame = new QFrame(this);
    frame->setGeometry(rect());
    frame->setStyleSheet(
        QStringLiteral("QFrame { background: #e8edf2; border: 1px solid #3a5c7e; }"));
    auto* question =
        new QLabel(QStringLiteral("Leave this exam and return to the main screen?"), this);
    question->setWordWrap(true);
    question->setAlignment(Qt::AlignCenter);
    question->setGeometry(12, 12, 274, 44);
    auto* yes = new ui::PictureButton(QStringLiteral("Yes"), this);
    auto* no = new ui::PictureButton(QStringLiteral("No"), this);
    yes->setObjectName(QStringLiteral("btnYes"));
    no->setObjectName(QStringLiteral("btnNo"));
    yes->setGeometry(64, 66, 72, 22);
    no->setGeometry(162, 66, 72, 22);
    connect(yes, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(no, &QAbstractButton::clicked, this, &QDialog::reject);
}

}  // namespace zentrix::engine
