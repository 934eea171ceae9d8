#include "engine/screens/treport_popup.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "engine/screens/screen_parts.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
namespace {

constexpr QSize kBuiltInSize(180, 168);
constexpr const char* kCaptions[] = {"Remaining", "Correct", "Incorrect", "Percentage"};

}  // namespace

TReportPopup::TReportPopup(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      background_(new QLabel(this)),
      return_(new ui::PictureButton(QStringLiteral("Return"), this)) {
    setWindowTitle(QStringLiteral("Report"));
    setAccessibleName(QStringLiteral("Report"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    background_->setPixmap(BuiltInPanel(kBuiltInSize, QStringLiteral("Report"), 26));
    QFont font;
    font.setPixelSize(12);
    for (int i = 0; i < 4; ++i) {
        captions_[i] = new QLabel(QString::fromLatin1(kCaptions[i]), this);
        captions_[i]->setFont(font);
        boxes_[i] = new QLineEdit(this);
        boxes_[i]->setReadOnly(true);
        boxes_[i]->setFocusPolicy(Qt::NoFocus);  // the popup never takes the focus
        boxes_[i]->setAlignment(Qt::AlignRight);
        boxes_[i]->setFont(font);
        boxes_[i]->setAccessibleName(QString::fromLatin1(kCaptions[i]));
        captions_[i]->setBuddy(boxes_[i]);
    }
    return_->setObjectName(QStringLiteral("ReturnToTest"));
    return_->setFocusPolicy(Qt::NoFocus);
    return_->setAccessibleName(QStringLiteral("Return to the test"));
    connect(return_, &QAbstractButton::clicked, this, &QWidget::hide);
    layOut();
}

void TReportPopup::ShowCounts(const ExamCounters& c) {
    boxes_[0]->setText(QString::number(c.remaining));
    boxes_[1]->setText(QString::number(c.correct));
    boxes_[2]->setText(QString::number(c.incorrect));
    boxes_[3]->setText(QString::number(c.percent));
}

void TReportPopup::SetPictures(const QPixmap& background, const QPixmap& returnButton) {
    if (!background.isNull()) background_->setPixmap(background);
    if (!returnButton.isNull()) {
        return_->setPicture(returnButton);
        return_->resize(returnButton.size());
    }
    layOut();
}

void TReportPopup::layOut() {
    const QSize size = background_->pixmap().size();
    setFixedSize(size);
    background_->setGeometry(QRect(QPoint(0, 0), size));
    // Four rows between the title strip and the return button.
    const int free = size.height() - 30 - return_->height() - 14;
    const int rowHeight = qBound(20, free / 4, 26);
    const int top = 32;
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setGeometry(12, top + i * rowHeight, 80, 20);
        boxes_[i]->setGeometry(size.width() - 12 - 60, top + i * rowHeight, 60, 20);
    }
    return_->move((size.width() - return_->width()) / 2, size.height() - return_->height() - 8);
}

void TReportPopup::PlaceBy(const QRect& area) {
    move(area.right() - kRightInset - width() + 1, area.top() + kBottomBelowAreaTop - height());
}

void TReportPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zentrix::engine
