#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <vector>

#include "simulation/status.h"

namespace zentrix::simulation {

// One image to write into a GIF, already reduced to at most 256 colours.
struct IndexedFrame {
    QRect rect;                 // on the logical screen
    QList<QRgb> palette;        // 1 to 256 colours; written as the image's own colour table
    QByteArray indices;         // rect.width() * rect.height(), row-major
    int disposal = 1;           // 0 unspecified, 1 keep, 2 clear, 3 restore previous
    int transparentIndex = -1;  // -1: none
    bool interlaced = false;
};

// Writes a GIF89a with giflib's encoder: one graphic control block and one
// image per frame, no global colour table unless one is given.
class GifEncoder {
public:
    static Result<QByteArray> encode(QSize screen, const std::vector<IndexedFrame>& frames,
                                     const QList<QRgb>& globalPalette = {});
};

}  // namespace zentrix::simulation
