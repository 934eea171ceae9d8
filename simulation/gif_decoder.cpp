#include "simulation/gif_decoder.h"

#include <gif_lib.h>

#include <QRgb>
#include <cstring>
#include <memory>

#include "simulation/byte_reader.h"

namespace zentrix::simulation {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;

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

qsizetype colourTableSize(std::uint8_t packed) {
    return (packed & 0x80) ? 3 * (2 << (packed & 7)) : 0;
}

std::string imageName(size_t index) { return "GIF picture image " + std::to_string(index + 1); }

}  // namespace

Result<GifLayout> GifDecoder::scan(QByteArrayView gif) {
    ByteReader reader(gif);
    QByteArrayView signature;
    if (!reader.readBytes(6, signature) ||
        (signature != QByteArrayView("GIF87a") && signature != QByteArrayView("GIF89a"))) {
        return Status::error("not a GIF picture (bad signature)");
    }
    std::uint16_t width = 0, height = 0;
    std::uint8_t packed = 0;
    if (!reader.readU16(width) || !reader.readU16(height) || !reader.readU8(packed) ||
        !reader.skip(2) || !reader.skip(colourTableSize(packed))) {
        return Status::error("GIF picture ends inside its screen descriptor");
    }
    if (width == 0 || height == 0) return Status::error("GIF picture has no size");
    if (qint64(width) * height > kMaxScreenPixels) {
        return Status::error("GIF picture of " + std::to_string(width) + "x" +
                             std::to_string(height) + " pixels is too large");
    }
    GifLayout layout;
    layout.screen = QSize(width, height);
    layout.screenHeader = gif.first(reader.position()).toByteArray();

    int disposal = 0, transparent = -1;  // from the graphic control block before an image
    for (;;) {
        std::uint8_t introducer = 0;
        if (!reader.readU8(introducer) || introducer == kTrailer)
            break;  // a missing trailer is tolerated
        if (introducer == kExtensionIntroducer) {
            std::uint8_t label = 0, size = 0;
            if (!reader.readU8(label)) return Status::error("GIF picture ends inside an extension");
            const qsizetype blockStart = reader.position();
            if (label == kGraphicControlLabel && reader.readU8(size) && size == 4) {
                std::uint8_t flags = 0, index = 0;
                reader.readU8(flags);
                reader.skip(2);
                reader.readU8(index);
                disposal = (flags >> 2) & 7;
                transparent = (flags & 1) ? index : -1;
            }
            reader = ByteReader(gif);
            reader.skip(blockStart);
            if (!skipSubBlocks(reader))
                return Status::error("GIF picture ends inside an extension");
            continue;
        }
        if (introducer != kImageSeparator) {
            return Status::error("GIF picture holds an unknown block after image " +
                                 std::to_string(layout.images.size()));
        }
        GifImageEntry image;
        image.start = reader.position() - 1;
        std::uint16_t left = 0, top = 0, w = 0, h = 0;
        std::uint8_t imagePacked = 0, codeSize = 0;
        const std::string name = imageName(layout.images.size());
        if (!reader.readU16(left) || !reader.readU16(top) || !reader.readU16(w) ||
            !reader.readU16(h) || !reader.readU8(imagePacked) ||
            !reader.skip(colourTableSize(imagePacked)) || !reader.readU8(codeSize) ||
            !skipSubBlocks(reader)) {
            return Status::error(name + " is cut short");
        }
        if (w == 0 || h == 0) return Status::error(name + " has no size");
        if (qint64(w) * h > kMaxScreenPixels) return Status::error(name + " is too large");
        if (codeSize < 1 || codeSize > 11) return Status::error(name + " has a bad code size");
        if (!(imagePacked & 0x80) && !(packed & 0x80)) {
            return Status::error(name + " has no colour table");
        }
        if (layout.images.size() == kMaxImages)
            return Status::error("GIF picture holds too many images");
        image.rect = QRect(left, top, w, h);
        image.disposal = disposal;
        image.transparentIndex = transparent;
        image.end = reader.position();
        layout.images.push_back(image);
        disposal = 0;
        transparent = -1;
    }
    if (layout.images.empty()) return Status::error("GIF picture holds no frames");
    return layout;
}

Result<GifFrame> GifDecoder::decodeFrame(QByteArrayView gif, const GifLayout& layout, int index) {
    const GifImageEntry& entry = layout.images.at(static_cast<size_t>(index));
    // The image alone, behind the picture's own screen descriptor and colours.
    QByteArray single = layout.screenHeader;
    single.append(gif.sliced(entry.start, entry.end - entry.start));
    single.append(static_cast<char>(kTrailer));

    MemorySource source{single, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> file(DGifOpen(&source, readFromMemory, &error));
    if (!file || DGifSlurp(file.get()) != GIF_OK || file->ImageCount != 1 ||
        file->SavedImages[0].RasterBits == nullptr) {
        const char* text = GifErrorString(file ? file->Error : error);
        return Status::error(imageName(static_cast<size_t>(index)) +
                             " cannot be decoded: " + (text ? text : "bad data"));
    }
    const SavedImage& image = file->SavedImages[0];
    const GifImageDesc& desc = image.ImageDesc;
    GifFrame frame;
    frame.rect = entry.rect;
    frame.disposal = entry.disposal;
    frame.colours.fill(qRgb(0, 0, 0));
    if (const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : file->SColorMap) {
        const int count = std::min(map->ColorCount, 256);
        for (int i = 0; i < count; ++i) {
            frame.colours[static_cast<size_t>(i)] =
                qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        }
    }
    if (entry.transparentIndex >= 0) frame.colours[static_cast<size_t>(entry.transparentIndex)] = 0;
    frame.indices = QByteArray(reinterpret_cast<const char*>(image.RasterBits),
                               qsizetype(desc.Width) * desc.Height);
    return frame;
}

}  // namespace zentrix::simulation
