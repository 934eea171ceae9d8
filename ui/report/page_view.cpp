#include "ui/report/page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/report/page_painter.h"

namespace zentrix::report {

PageView::PageView(const RenderedReport& report, QWidget* parent)
    : QWidget(parent), report_(report) {
    setAccessibleName(QStringLiteral("Report page"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PageView::setPage(int index) {
    if (report_.pages.empty()) return;
    page_ = std::clamp(index, 0, static_cast<int>(report_.pages.size()) - 1);
    setAccessibleDescription(
        QStringLiteral("Page %1 of %2").arg(page_ + 1).arg(report_.pages.size()));
    updateGeometry();
    resize(sizeHint());
    update();
}

void PageView::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.1, 8.0);
    // A page of a damaged or odd file may be huge: its picture stays within
    // kMaxSide pixels a side.
    if (!report_.pages.empty()) {
        const QSizeF size = report_.pages[page_].size;
        const double longest = std::max(size.width(), size.height()) * logicalDpiY() / 72.0;
        if (longest * zoom_ > kMaxSide) zoom_ = kMaxSide / longest;
    }
    updateGeometry();
    resize(sizeHint());
    update();
}

double PageView::pixelsPerPoint() const { return zoom_ * logicalDpiY() / 72.0; }

double PageView::zoomToFit(const QSize& area) const {
    if (report_.pages.empty()) return 1.0;
    const QSizeF size = report_.pages[page_].size;
    const double perPoint = logicalDpiY() / 72.0;
    return std::min(area.width() / (size.width() * perPoint),
                    area.height() / (size.height() * perPoint));
}

QSize PageView::sizeHint() const {
    if (report_.pages.empty()) return QSize(100, 100);
    const QSizeF size = report_.pages[page_].size * pixelsPerPoint();
    return QSize(static_cast<int>(std::ceil(size.width())),
                 static_cast<int>(std::ceil(size.height())));
}

void PageView::ensureCache() {
    const double scale = pixelsPerPoint();
    const qreal ratio = devicePixelRatioF();
    if (cachedPage_ == page_ && cachedScale_ == scale * ratio && !cache_.isNull()) return;
    const QSize pixels = sizeHint() * ratio;
    cache_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    cache_.setDevicePixelRatio(ratio);
    // The picture's dpi is the screen's, so fonts come out at the size the
    // painter's scale expects.
    const int dotsPerMeter = static_cast<int>(std::lround(logicalDpiY() / 0.0254));
    cache_.setDotsPerMeterX(dotsPerMeter);
    cache_.setDotsPerMeterY(dotsPerMeter);
    cache_.fill(Qt::white);
    QPainter painter(&cache_);
    painter.scale(scale, scale);
    PaintPage(painter, report_, page_);
    painter.end();
    cachedPage_ = page_;
    cachedScale_ = scale * ratio;
}

QImage PageView::shownPage() {
    ensureCache();
    return cache_;
}

void PageView::paintEvent(QPaintEvent* event) {
    ensureCache();
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    painter.drawImage(QPointF(0, 0), cache_);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(QRectF(0, 0, width() - 1, height() - 1));
}

}  // namespace zentrix::report
