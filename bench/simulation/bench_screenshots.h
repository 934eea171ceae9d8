#pragma once

// The two kinds of screenshot both simulation benchmarks record, 640x400:
//   dialogScreenshot   differs from the one before in a dialog-sized area, as
//                      recorded software does
//   repaintScreenshot  differs everywhere and has more than 256 colours (the
//                      worst case: every frame is a full image)

#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>
#include <functional>

#include "simulation/screenshot_encoder.h"
#include "simulation/simulation_writer.h"

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

// Writes a simulation of `frames` screenshots to `path`, each frame holding
// `zonesPerFrame` zones made by zone(frame, z), frames counted from 1.
inline QString writeBenchSimulation(const QString& path, int frames, int zonesPerFrame,
                                    QImage (*screenshot)(int),
                                    const std::function<TZone(int, int)>& zone) {
    QList<QImage> shots;
    for (int n = 0; n < frames; ++n) shots.append(screenshot(n));
    SimulationDraft draft;
    draft.gif = ScreenshotEncoder::encode(shots).value();
    draft.frameCount = frames;
    draft.frames.resize(size_t(frames));  // only the first 255 frames can have zones
    for (int f = 0; f < frames; ++f)
        for (int z = 0; z < zonesPerFrame; ++z)
            draft.frames[size_t(f)].Zones.push_back(zone(f + 1, z));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(SimulationWriter::write(draft).value());
    return path;
}

}  // namespace zentrix::simulation::bench
