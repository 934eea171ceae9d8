#include "engine/aids/tinfo_form.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace zentrix::engine::aids {

TInfoForm::TInfoForm(DialogService& dialogs, QWidget* owner, std::unique_ptr<CloseTimer> timer)
    : QDialog(owner, Qt::FramelessWindowHint | Qt::Dialog),
      dialogs_(dialogs),
      timer_(timer ? std::move(timer) : std::make_unique<QtCloseTimer>()),
      picture_(new QLabel(this)) {
    // Borderless, so the title shows nowhere; it names the window to the
    // desktop and to screen readers.
    setWindowTitle(QStringLiteral("Answer feedback"));
    setAccessibleName(QStringLiteral("Answer feedback"));
    picture_->setObjectName(QStringLiteral("GIFImage1"));
    picture_->setAccessibleName(QStringLiteral("Answer feedback"));
    picture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    picture_->move(0, 0);
}

bool TInfoForm::ShowImage(const QByteArray& stream, const QRect& mainFrame) {
    const QImage image = QImage::fromData(stream);
    if (image.isNull()) return false;
    picture_->setPixmap(QPixmap::fromImage(image));
    picture_->resize(image.size());
    setFixedSize(image.size());
    // Integer division truncates toward zero, as the offsets want.
    move(mainFrame.left() + (mainFrame.width() - width()) / 2,
         mainFrame.top() + (mainFrame.height() - height()) / 2);
    timer_->Start(kCloseAfterMs, [this] { closeNow(); });
    dialogs_.runModal(*this);
    timer_->Stop();
    return true;
}

void TInfoForm::closeNow() {
    timer_->Stop();
    accept();
}

void TInfoForm::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    closeNow();
}

void TInfoForm::keyPressEvent(QKeyEvent* event) {
    event->accept();
    closeNow();
}

}  // namespace zentrix::engine::aids
