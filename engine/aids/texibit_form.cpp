#include "engine/aids/texibit_form.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace zentrix::engine::aids {

TExibitForm::TExibitForm(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      scroll_(new QScrollArea(this)),
      picture_(new QLabel) {
    setWindowTitle(QStringLiteral("Exhibit - Click on graphic to close window."));
    setAccessibleName(QStringLiteral("Exhibit"));
    picture_->setObjectName(QStringLiteral("GIFImage1"));
    picture_->setAccessibleName(QStringLiteral("Exhibit picture"));
    picture_->setAccessibleDescription(
        QStringLiteral("Click, or press Escape, to close the window."));
    picture_->installEventFilter(this);
    picture_->setCursor(Qt::PointingHandCursor);
    scroll_->setWidget(picture_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidgetResizable(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
}

bool TExibitForm::LoadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ClearPicture();
        return false;
    }
    return LoadPictureData(file.readAll());
}

bool TExibitForm::LoadPictureData(const QByteArray& bytes) {
    ClearPicture();
    QBuffer probe;
    probe.setData(bytes);
    probe.open(QIODevice::ReadOnly);
    QImageReader reader(&probe);
    if (reader.supportsAnimation() && reader.imageCount() > 1) {
        // The movie reads from its own buffer, which lives as long as it does.
        auto* buffer = new QBuffer(this);
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        movie_ = new QMovie(buffer, QByteArray(), this);
        buffer->setParent(movie_);
        if (movie_->isValid() && movie_->jumpToFrame(0)) {
            pictureSize_ = movie_->currentImage().size();
            picture_->setMovie(movie_);
            // It plays while the window shows it; a closed window's exhibit
            // costs no frames.
            if (isVisible()) movie_->start();
            picture_->resize(pictureSize_);
            return true;
        }
        delete movie_;
        movie_ = nullptr;
        probe.seek(0);
    }
    QImage image;
    QImageReader still(&probe);
    if (!still.read(&image)) return false;
    pictureSize_ = image.size();
    picture_->setPixmap(QPixmap::fromImage(image));
    picture_->resize(pictureSize_);
    return true;
}

void TExibitForm::ClearPicture() {
    picture_->clear();
    if (movie_ != nullptr) {
        movie_->stop();
        delete movie_;
        movie_ = nullptr;
    }
    pictureSize_ = QSize();
    picture_->resize(1, 1);
}

void TExibitForm::FitToScreen(const QSize& screen) {
    const QSize picture = pictureSize_.isEmpty() ? QSize(200, 100) : pictureSize_;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool vertical = screen.height() < picture.height();
    const bool horizontal = screen.width() < picture.width();
    int height = vertical ? screen.height() - kScreenHeightMargin : picture.height();
    int width = horizontal ? screen.width() : picture.width();
    if (vertical && !horizontal) width = std::min(width + bar, screen.width());
    if (horizontal && !vertical)
        height = std::min(height + bar, screen.height() - kScreenHeightMargin);
    scroll_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
    setFixedSize(std::max(width, 1), std::max(height, 1));
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
}

void TExibitForm::hideEvent(QHideEvent* event) {
    if (movie_ != nullptr) movie_->setPaused(true);
    QDialog::hideEvent(event);
}

void TExibitForm::showEvent(QShowEvent* event) {
    if (movie_ != nullptr) {
        if (movie_->state() == QMovie::Paused) {
            movie_->setPaused(false);
        } else if (movie_->state() == QMovie::NotRunning) {
            movie_->start();
        }
    }
    QScreen* shown = screen();
    if (shown != nullptr) {
        const QRect available = shown->availableGeometry();
        FitToScreen(available.size());
        move(available.center() - rect().center());
    }
    QDialog::showEvent(event);
}

void TExibitForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

bool TExibitForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zentrix::engine::aids
