#include "setup/window/band_gradient.h"

#include <QPainter>

namespace zentrix::setup {

QRect BandGradient::band(int i, const QSize& area) {
    const int top = i * area.height() / kBands;
    const int bottom = (i + 1) * area.height() / kBands;
    return QRect(0, top, area.width(), bottom - top);
}

void BandGradient::paint(QPainter& painter, const QSize& area) {
    for (int i = 0; i < kBands; ++i) {
        const QRect rows = band(i, area);
        if (!rows.isEmpty()) painter.fillRect(rows, colour(i));
    }
}

}  // namespace zentrix::setup
