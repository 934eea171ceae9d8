#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>
#include <QSize>
#include <array>
#include <vector>

#include "simulation/status.h"

namespace zentrix::simulation {

// One image of a GIF as stored: where it lies on the logical screen, its
// colours (transparent index already given alpha 0, indices beyond the colour
// table opaque black) and its pixels as row-major colour indices.
struct GifFrame {
    QRect rect;
    std::array<unsigned int, 256> colours{};  // QRgb
    QByteArray indices;                       // rect.width() * rect.height(), de-interlaced
    int disposal = 0;                         // 0 unspecified, 1 keep, 2 clear, 3 restore previous
};

struct DecodedGif {
    QSize screen;
    std::vector<GifFrame> frames;
};

// Decodes a complete GIF held in memory with giflib. Sizes are checked before
// giflib allocates anything, so a few bytes cannot ask for gigabytes.
class GifDecoder {
public:
    static constexpr qint64 kMaxScreenPixels = 16 * 1024 * 1024;
    static constexpr qint64 kMaxTotalFramePixels = 512 * 1024 * 1024;

    static Result<DecodedGif> decode(QByteArrayView gif);
};

}  // namespace zentrix::simulation
