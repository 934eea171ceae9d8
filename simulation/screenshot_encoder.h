#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include "simulation/status.h"

namespace zentrix::simulation {

// Turns a sequence of screenshots of one size into a multi-frame GIF that the
// picture shows frame by frame. Each frame after the first stores only the
// rectangle that differs from what the frames before it show, and is kept in
// place for the next. Colours: the exact palette when the rectangle has at most
// 256 colours, otherwise a fixed 8x8x4 RGB palette with nearest levels. The
// result depends only on the pixels.
class ScreenshotEncoder {
public:
    static Result<QByteArray> encode(const QList<QImage>& screenshots);
};

}  // namespace zentrix::simulation
