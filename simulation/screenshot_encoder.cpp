#include "simulation/screenshot_encoder.h"

#include <QHash>

#include "simulation/gif_encoder.h"

namespace zentrix::simulation {

namespace {

QRect changedArea(const QImage& shown, const QImage& next) {
    int left = next.width(), top = next.height(), right = -1, bottom = -1;
    for (int y = 0; y < next.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(next.constScanLine(y));
        for (int x = 0; x < next.width(); ++x) {
            if (a[x] != b[x]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    if (right < 0) return QRect(0, 0, 1, 1);  // unchanged: one pixel, redrawn as it is
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

int level(int value, int levels) { return (value * (levels - 1) + 127) / 255; }
int levelValue(int index, int levels) { return index * 255 / (levels - 1); }

QList<QRgb> fixedPalette() {
    QList<QRgb> palette;
    for (int r = 0; r < 8; ++r)
        for (int g = 0; g < 8; ++g)
            for (int b = 0; b < 4; ++b)
                palette.append(qRgb(levelValue(r, 8), levelValue(g, 8), levelValue(b, 4)));
    return palette;
}

IndexedFrame quantise(const QImage& image, const QRect& area) {
    IndexedFrame frame;
    frame.rect = area;
    frame.indices.resize(qsizetype(area.width()) * area.height());
    QHash<QRgb, int> exact;
    bool fits = true;
    for (int y = area.top(); y <= area.bottom() && fits; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            auto it = exact.constFind(row[x]);
            if (it == exact.constEnd()) {
                if (exact.size() == 256) {
                    fits = false;
                    break;
                }
                it = exact.insert(row[x], static_cast<int>(frame.palette.size()));
                frame.palette.append(row[x]);
            }
            frame.indices[qsizetype(y - area.top()) * area.width() + (x - area.left())] =
                static_cast<char>(it.value());
        }
    }
    if (fits) return frame;

    frame.palette = fixedPalette();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int index = (level(qRed(row[x]), 8) << 5) | (level(qGreen(row[x]), 8) << 2) |
                              level(qBlue(row[x]), 4);
            frame.indices[qsizetype(y - area.top()) * area.width() + (x - area.left())] =
                static_cast<char>(index);
        }
    }
    return frame;
}

// What the decoder will show after drawing frame over shown.
void drawOnto(QImage& shown, const IndexedFrame& frame) {
    for (int y = 0; y < frame.rect.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(frame.rect.top() + y));
        for (int x = 0; x < frame.rect.width(); ++x) {
            const auto index =
                static_cast<unsigned char>(frame.indices[qsizetype(y) * frame.rect.width() + x]);
            row[frame.rect.left() + x] = frame.palette[index];
        }
    }
}

}  // namespace

Result<QByteArray> ScreenshotEncoder::encode(const QList<QImage>& screenshots) {
    if (screenshots.isEmpty()) return Status::error("no screenshots to encode");
    const QSize size = screenshots.front().size();
    std::vector<IndexedFrame> frames;
    QImage shown;
    for (qsizetype i = 0; i < screenshots.size(); ++i) {
        if (screenshots[i].size() != size) {
            return Status::error("screenshot " + std::to_string(i + 1) + " is " +
                                 std::to_string(screenshots[i].width()) + "x" +
                                 std::to_string(screenshots[i].height()) + ", the first is " +
                                 std::to_string(size.width()) + "x" +
                                 std::to_string(size.height()));
        }
        const QImage next = screenshots[i].convertToFormat(QImage::Format_RGB32);
        IndexedFrame frame = quantise(next, i == 0 ? next.rect() : changedArea(shown, next));
        if (i == 0) shown = QImage(size, QImage::Format_RGB32);
        drawOnto(shown, frame);
        frames.push_back(std::move(frame));
    }
    return GifEncoder::encode(size, frames);
}

}  // namespace zentrix::simulation
