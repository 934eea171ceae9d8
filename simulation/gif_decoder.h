#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>
#include <QSize>
#include <array>
#include <vector>

#include "simulation/status.h"

namespace zentrix::simulation {

// Where one image of a GIF lies in the file and how it is composed.
struct GifImageEntry {
    QRect rect;                 // on the logical screen
    int disposal = 0;           // 0 unspecified, 1 keep, 2 clear, 3 restore previous
    int transparentIndex = -1;  // -1: none
    qsizetype start = 0;        // image descriptor ...
    qsizetype end = 0;          // ... up to and including its last data sub-block
};

// The block structure of a GIF, walked without decoding any pixels.
struct GifLayout {
    QSize screen;
    QByteArray screenHeader;  // signature, screen descriptor and global colour table
    std::vector<GifImageEntry> images;
};

// The pixels of one image: colours (transparent index given alpha 0, indices
// beyond the colour table opaque black) and row-major, de-interlaced indices.
struct GifFrame {
    QRect rect;
    std::array<unsigned int, 256> colours{};  // QRgb
    QByteArray indices;                       // rect.width() * rect.height()
    int disposal = 0;
};

// Reads GIF pictures held in memory. scan() checks the whole block structure
// and every size up front, so that a few bytes cannot ask for gigabytes;
// decodeFrame() then decodes one image with giflib (DGifSlurp over a GIF of
// that image alone), so loading costs no decoding and memory holds only the
// compressed picture.
class GifDecoder {
public:
    static constexpr qint64 kMaxScreenPixels = 16 * 1024 * 1024;
    static constexpr int kMaxImages = 65535;

    static Result<GifLayout> scan(QByteArrayView gif);
    static Result<GifFrame> decodeFrame(QByteArrayView gif, const GifLayout& layout, int index);
};

}  // namespace zentrix::simulation
