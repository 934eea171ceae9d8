#pragma once

// The two kinds of screenshot both simulation benchmarks record, 640x400:
//   dialogScreenshot   differs from the one before in a dialog-sized area, as
//                      recorded software does
//   repaintScreenshot  differs everywhere and has more than 256 colours (the
//                      worst case: every frame is a full image)

#include <QColor>
#include <QImage>

namespace zentrix::simulation::bench {

inline constexpr int kWidth = 640, kHeight = 400;

inline QImage dialogScreenshot(int n) {
    static const QImage desktop = [] {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(QColor(0, 128, 128));
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < kWidth; ++x)
                image.setPixel(x, kHeight - 24 + y, qRgb(192, 192, 192));
        return image;
    }();
    QImage image = desktop;
    const int left = 40 + (n * 37) % 360, top = 30 + (n * 23) % 200;
    for (int y = top; y < top + 150; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = left; x < left + 240; ++x) {
            row[x] = y < top + 18                               ? qRgb(0, 0, 128)
                     : ((x + n) % 7 == 0 && (y - top) % 12 < 8) ? qRgb(0, 0, 0)
                                                                : qRgb(212, 208, 200);
        }
    }
    return image;
}

inline QImage repaintScreenshot(int n) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            row[x] = qRgb((x + n) & 255, (y * 2 + n) & 255, (x ^ y ^ n) & 255);
    }
    return image;
}

}  // namespace zentrix::simulation::bench
