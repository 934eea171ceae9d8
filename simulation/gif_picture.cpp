#include "simulation/gif_picture.h"

#include <algorithm>

namespace zentrix::simulation {

namespace {
constexpr int kDisposeClear = 2;
constexpr int kDisposeRestore = 3;
}  // namespace

Status GifPicture::loadFromMemory(QByteArrayView gif) {
    clear();
    ZX_TRY_ASSIGN(auto layout, GifDecoder::scan(gif));
    screen_ = layout.screen;
    layout_ = std::move(layout);
    gif_ = gif.toByteArray();
    canvas_ = QImage(screen_, QImage::Format_ARGB32);
    if (canvas_.isNull()) {
        clear();
        return Status::error("no memory for the picture");
    }
    canvas_.fill(Qt::transparent);
    return Status::ok();
}

void GifPicture::clear() {
    screen_ = QSize();
    gif_.clear();
    layout_ = GifLayout();
    canvas_ = QImage();
    beforeShown_ = QImage();
    shown_ = 0;
    drawnLastTime_ = 0;
    keyFrames_.clear();
}

bool GifPicture::showFrame(int n) {
    if (n < 1 || n > frameCount()) return false;
    drawnLastTime_ = 0;
    if (n < shown_) restartFromKeyFrame(n);
    while (shown_ < n) {
        disposeShownFrame();
        drawNextFrame();
        ++drawnLastTime_;
        if (shown_ % kKeyFrameStep == 0) keepKeyFrame();
    }
    return true;
}

void GifPicture::restartFromKeyFrame(int n) {
    auto kept = std::upper_bound(keyFrames_.begin(), keyFrames_.end(), n,
                                 [](int frame, const KeyFrame& key) { return frame < key.frame; });
    if (kept == keyFrames_.begin()) {
        restart();
        return;
    }
    --kept;
    canvas_ = kept->canvas;  // shared until drawn on
    beforeShown_ = kept->beforeShown;
    shown_ = kept->frame;
}

void GifPicture::keepKeyFrame() {
    if (!keyFrames_.empty() && keyFrames_.back().frame >= shown_) return;  // kept already
    keyFrames_.push_back(KeyFrame{shown_, canvas_, beforeShown_});
}

void GifPicture::restart() {
    canvas_.fill(Qt::transparent);
    beforeShown_ = QImage();
    shown_ = 0;
}

void GifPicture::disposeShownFrame() {
    if (shown_ == 0) return;
    const GifImageEntry& frame = layout_.images[static_cast<size_t>(shown_ - 1)];
    const QRect area = frame.rect.intersected(canvas_.rect());
    if (area.isEmpty()) return;
    if (frame.disposal == kDisposeClear) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
            std::fill(row + area.left(), row + area.left() + area.width(), qRgba(0, 0, 0, 0));
        }
    } else if (frame.disposal == kDisposeRestore && !beforeShown_.isNull()) {
        for (int y = 0; y < area.height(); ++y) {
            const auto* saved = reinterpret_cast<const QRgb*>(beforeShown_.constScanLine(y));
            auto* row = reinterpret_cast<QRgb*>(canvas_.scanLine(area.top() + y));
            std::copy(saved, saved + area.width(), row + area.left());
        }
    }
}

void GifPicture::drawNextFrame() {
    const GifImageEntry& entry = layout_.images[static_cast<size_t>(shown_)];
    const QRect area = entry.rect.intersected(canvas_.rect());
    beforeShown_ = QImage();
    if (!area.isEmpty() && entry.disposal == kDisposeRestore) beforeShown_ = canvas_.copy(area);
    auto decoded = GifDecoder::decodeFrame(gif_, layout_, shown_);
    ++shown_;
    if (area.isEmpty() || !decoded) return;
    const GifFrame& frame = *decoded;

    const int frameWidth = frame.rect.width();
    const auto* indices = reinterpret_cast<const unsigned char*>(frame.indices.constData());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const unsigned char* source = indices + qsizetype(y - frame.rect.top()) * frameWidth +
                                      (area.left() - frame.rect.left());
        auto* row = reinterpret_cast<QRgb*>(canvas_.scanLine(y)) + area.left();
        for (int x = 0; x < area.width(); ++x) {
            const QRgb colour = frame.colours[source[x]];
            if (qAlpha(colour) != 0) row[x] = colour;
        }
    }
}

}  // namespace zentrix::simulation
