#include "simulation/gif_decoder.h"

#include <gif_lib.h>

#include <QRgb>
#include <cstring>
#include <memory>

#include "simulation/byte_reader.h"

namespace zentrix::simulation {

namespace {

struct MemorySource {
    QByteArrayView bytes;
    qsizetype position = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* buffer, int wanted) {
    auto* source = static_cast<MemorySource*>(gif->UserData);
    const qsizetype count = std::min<qsizetype>(wanted, source->bytes.size() - source->position);
    if (count <= 0) return 0;
    std::memcpy(buffer, source->bytes.data() + source->position, static_cast<size_t>(count));
    source->position += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

bool skipSubBlocks(ByteReader& reader) {
    for (;;) {
        std::uint8_t size = 0;
        if (!reader.readU8(size)) return false;
        if (size == 0) return true;
        if (!reader.skip(size)) return false;
    }
}

// Walks the block structure and checks the sizes that giflib will allocate.
// Truncation is left to giflib, which reports it.
Status checkSizes(QByteArrayView gif) {
    ByteReader reader(gif);
    QByteArrayView signature;
    if (!reader.readBytes(6, signature) ||
        (signature != QByteArrayView("GIF87a") && signature != QByteArrayView("GIF89a"))) {
        return Status::error("not a GIF picture (bad signature)");
    }
    std::uint16_t width = 0, height = 0;
    std::uint8_t packed = 0;
    if (!reader.readU16(width) || !reader.readU16(height) || !reader.readU8(packed) ||
        !reader.skip(2)) {
        return Status::error("GIF picture ends inside its screen descriptor");
    }
    if (width == 0 || height == 0) return Status::error("GIF picture has no size");
    if (qint64(width) * height > GifDecoder::kMaxScreenPixels) {
        return Status::error("GIF picture of " + std::to_string(width) + "x" +
                             std::to_string(height) + " pixels is too large");
    }
    if ((packed & 0x80) && !reader.skip(3 * (2 << (packed & 7)))) return Status::ok();

    qint64 totalPixels = 0;
    for (;;) {
        std::uint8_t introducer = 0;
        if (!reader.readU8(introducer) || introducer == 0x3B) return Status::ok();
        if (introducer == 0x21) {
            if (!reader.skip(1) || !skipSubBlocks(reader)) return Status::ok();
        } else if (introducer == 0x2C) {
            std::uint16_t frameWidth = 0, frameHeight = 0;
            std::uint8_t framePacked = 0;
            if (!reader.skip(4) || !reader.readU16(frameWidth) || !reader.readU16(frameHeight) ||
                !reader.readU8(framePacked)) {
                return Status::ok();
            }
            if (frameWidth == 0 || frameHeight == 0) {
                return Status::error("GIF picture holds an image of no size");
            }
            totalPixels += qint64(frameWidth) * frameHeight;
            if (qint64(frameWidth) * frameHeight > GifDecoder::kMaxScreenPixels ||
                totalPixels > GifDecoder::kMaxTotalFramePixels) {
                return Status::error("GIF picture images are too large to decode");
            }
            if ((framePacked & 0x80) && !reader.skip(3 * (2 << (framePacked & 7)))) {
                return Status::ok();
            }
            if (!reader.skip(1) || !skipSubBlocks(reader)) return Status::ok();
        } else {
            return Status::error("GIF picture holds an unknown block");
        }
    }
}

void fillColours(GifFrame& frame, const ColorMapObject* map, int transparentIndex) {
    frame.colours.fill(qRgb(0, 0, 0));
    if (map != nullptr) {
        const int count = std::min(map->ColorCount, 256);
        for (int i = 0; i < count; ++i) {
            const GifColorType& c = map->Colors[i];
            frame.colours[static_cast<size_t>(i)] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    if (transparentIndex >= 0 && transparentIndex < 256) {
        frame.colours[static_cast<size_t>(transparentIndex)] = qRgba(0, 0, 0, 0);
    }
}

}  // namespace

Result<DecodedGif> GifDecoder::decode(QByteArrayView gif) {
    ZX_TRY(checkSizes(gif));

    MemorySource source{gif, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> file(DGifOpen(&source, readFromMemory, &error));
    if (!file) {
        const char* text = GifErrorString(error);
        return Status::error(std::string("GIF picture cannot be opened: ") +
                             (text ? text : "unknown error"));
    }
    if (DGifSlurp(file.get()) != GIF_OK) {
        const char* text = GifErrorString(file->Error);
        return Status::error(std::string("GIF picture cannot be decoded: ") +
                             (text ? text : "unknown error"));
    }

    DecodedGif decoded;
    decoded.screen = QSize(file->SWidth, file->SHeight);
    decoded.frames.reserve(static_cast<size_t>(file->ImageCount));
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage& image = file->SavedImages[i];
        const GifImageDesc& desc = image.ImageDesc;
        if (image.RasterBits == nullptr || desc.Width <= 0 || desc.Height <= 0) {
            return Status::error("GIF picture image " + std::to_string(i + 1) + " has no pixels");
        }
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(file.get(), i, &control);

        GifFrame frame;
        frame.rect = QRect(desc.Left, desc.Top, desc.Width, desc.Height);
        frame.disposal = control.DisposalMode;
        fillColours(frame, desc.ColorMap ? desc.ColorMap : file->SColorMap,
                    control.TransparentColor);
        frame.indices = QByteArray(reinterpret_cast<const char*>(image.RasterBits),
                                   qsizetype(desc.Width) * desc.Height);
        decoded.frames.push_back(std::move(frame));
    }
    return decoded;
}

}  // namespace zentrix::simulation
