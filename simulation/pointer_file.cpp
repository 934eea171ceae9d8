#include "simulation/pointer_file.h"

#include <QByteArray>
#include <QImage>
#include <algorithm>

#include "simulation/byte_reader.h"
#include "simulation/byte_writer.h"

namespace zentrix::simulation {

namespace {

constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;
constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kBitmapHeaderSize = 40;
constexpr int kMaxSide = 256;
constexpr std::uint32_t kAnimatedFramesAreIcons = 0x1;  // anih flags
constexpr int kAnimatedHeaderSize = 36;

bool isPng(QByteArrayView data) { return data.startsWith("\x89PNG\r\n\x1a\n"); }

// A bitmap picture of an icon directory: its header must describe a small
// picture whose colour table, colour bits and mask lie inside the data.
Status checkBitmap(QByteArrayView data) {
    ByteReader reader(data);
    std::uint32_t headerSize = 0, coloursUsed = 0;
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 0, bits = 0;
    if (!reader.readU32(headerSize) || !reader.readI32(width) || !reader.readI32(height) ||
        !reader.readU16(planes) || !reader.readU16(bits) || !reader.skip(16) ||
        !reader.readU32(coloursUsed)) {
        return Status::error("pointer picture ends inside its bitmap header");
    }
    if (headerSize < kBitmapHeaderSize || headerSize > static_cast<std::uint32_t>(data.size())) {
        return Status::error("pointer picture has a bitmap header of " +
                             std::to_string(headerSize) + " bytes");
    }
    // The height counts the colour rows and the mask rows.
    if (width <= 0 || width > kMaxSide || height <= 0 || height > 2 * kMaxSide) {
        return Status::error("pointer picture of " + std::to_string(width) + "x" +
                             std::to_string(height / 2) + " pixels");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Status::error("pointer picture of " + std::to_string(bits) + " bits per pixel");
    }
    const qint64 rows = std::max(1, height / 2);
    const qint64 colourRow = (qint64(width) * bits + 31) / 32 * 4;
    const qint64 maskRow = (qint64(width) + 31) / 32 * 4;
    qint64 colours = 0;
    if (bits <= 8)
        colours = coloursUsed != 0 && coloursUsed < (1u << bits) ? coloursUsed : 1 << bits;
    const qint64 needed = headerSize + colours * 4 + (colourRow + maskRow) * rows;
    if (needed > data.size()) {
        return Status::error("pointer picture needs " + std::to_string(needed) +
                             " bytes but holds " + std::to_string(data.size()));
    }
    return Status::ok();
}

// Qt reads the first picture of an icon file; give it that picture alone.
QByteArray singleIcon(const std::uint8_t (&entry)[4], std::uint16_t planes, std::uint16_t bits,
                      QByteArrayView data) {
    ByteWriter out;
    out.writeU16(0);
    out.writeU16(kIconType);
    out.writeU16(1);
    for (std::uint8_t b : entry) out.writeU8(b);
    out.writeU16(planes);
    out.writeU16(bits);
    out.writeU32(static_cast<std::uint32_t>(data.size()));
    out.writeU32(kDirectorySize + kEntrySize);
    out.writeBytes(data);
    return out.take();
}

struct Chunk {
    QByteArrayView id;
    QByteArrayView data;
};

// The chunks of a RIFF block, each checked to lie inside it.
Result<std::vector<Chunk>> chunksOf(QByteArrayView block) {
    std::vector<Chunk> chunks;
    ByteReader reader(block);
    while (reader.remaining() >= 8) {
        Chunk chunk;
        std::uint32_t size = 0;
        reader.readBytes(4, chunk.id);
        reader.readU32(size);
        if (size > static_cast<std::uint64_t>(reader.remaining())) {
            return Status::error("animated pointer chunk \"" +
                                 chunk.id.toByteArray().toStdString() + "\" of " +
                                 std::to_string(size) + " bytes runs past the end");
        }
        reader.readBytes(size, chunk.data);
        if ((size & 1) && reader.remaining() > 0) reader.skip(1);
        chunks.push_back(chunk);
    }
    return chunks;
}

std::vector<std::uint32_t> wordsOf(QByteArrayView data) {
    std::vector<std::uint32_t> words;
    ByteReader reader(data);
    std::uint32_t word = 0;
    while (words.size() < PointerFile::kMaxSteps + 1 && reader.readU32(word)) words.push_back(word);
    return words;
}

}  // namespace

Result<PointerImage> PointerFile::parseCursor(QByteArrayView bytes) {
    ByteReader reader(bytes);
    std::uint16_t reserved = 0, type = 0, count = 0;
    if (!reader.readU16(reserved) || !reader.readU16(type) || !reader.readU16(count)) {
        return Status::error("pointer file ends inside its header");
    }
    if (reserved != 0 || (type != kIconType && type != kCursorType)) {
        return Status::error("not a cursor or icon file");
    }
    if (count == 0) return Status::error("pointer file holds no picture");
    std::uint8_t entry[4] = {};
    std::uint16_t planes = 0, bits = 0;
    std::uint32_t size = 0, offset = 0;
    for (std::uint8_t& b : entry) reader.readU8(b);
    if (!reader.readU16(planes) || !reader.readU16(bits) || !reader.readU32(size) ||
        !reader.readU32(offset)) {
        return Status::error("pointer file ends inside its picture directory");
    }
    const qint64 directoryEnd = kDirectorySize + qint64(count) * kEntrySize;
    if (offset < directoryEnd || qint64(offset) + size > bytes.size() || size == 0) {
        return Status::error("pointer picture of " + std::to_string(size) + " bytes at " +
                             std::to_string(offset) + " lies outside the file of " +
                             std::to_string(bytes.size()) + " bytes");
    }
    const QByteArrayView data = bytes.sliced(offset, size);
    if (!isPng(data)) ZX_TRY(checkBitmap(data));

    PointerImage pointer;
    // In a cursor file the planes and bit count of the entry are the hotspot.
    pointer.Image = QImage::fromData(
        singleIcon(entry, type == kCursorType ? 1 : planes, type == kCursorType ? 0 : bits, data),
        "ICO");
    if (pointer.Image.isNull()) return Status::error("pointer picture cannot be decoded");
    if (pointer.Image.width() > kMaxSide || pointer.Image.height() > kMaxSide) {
        return Status::error("pointer picture is larger than 256x256 pixels");
    }
    pointer.Hotspot = type == kCursorType
                          ? QPoint(std::min<int>(planes, pointer.Image.width() - 1),
                                   std::min<int>(bits, pointer.Image.height() - 1))
                          : QPoint(pointer.Image.width() / 2, pointer.Image.height() / 2);
    return pointer;
}

Result<PointerFile> PointerFile::parse(QByteArrayView bytes) {
    if (bytes.startsWith("RIFF")) return parseAnimated(bytes);
    PointerFile file;
    ZX_TRY_ASSIGN(auto picture, parseCursor(bytes));
    file.Frames.push_back(std::move(picture));
    file.Sequence = {0};
    file.StepJiffies = {0};
    return file;
}

Result<PointerFile> PointerFile::parseAnimated(QByteArrayView bytes) {
    ByteReader reader(bytes);
    QByteArrayView form;
    std::uint32_t size = 0;
    if (!reader.skip(4) || !reader.readU32(size) || !reader.readBytes(4, form) || form != "ACON") {
        return Status::error("not an animated pointer file");
    }
    const qsizetype end = std::min<qint64>(bytes.size(), 8 + qint64(size));
    ZX_TRY_ASSIGN(auto chunks, chunksOf(bytes.sliced(12, std::max<qsizetype>(0, end - 12))));

    std::uint32_t defaultRate = 0, flags = 0;
    bool haveHeader = false;
    std::vector<std::uint32_t> rates, sequence;
    PointerFile file;
    for (const Chunk& chunk : chunks) {
        if (chunk.id == "anih") {
            ByteReader header(chunk.data);
            if (chunk.data.size() < kAnimatedHeaderSize) {
                return Status::error("animated pointer header of " +
                                     std::to_string(chunk.data.size()) + " bytes");
            }
            // Size, frame and step counts (taken from the chunks themselves), size and bits.
            header.skip(28);
            header.readU32(defaultRate);
            header.readU32(flags);
            haveHeader = true;
        } else if (chunk.id == "rate") {
            rates = wordsOf(chunk.data);
        } else if (chunk.id == "seq ") {
            sequence = wordsOf(chunk.data);
        } else if (chunk.id == "LIST" && chunk.data.startsWith("fram")) {
            ZX_TRY_ASSIGN(auto icons, chunksOf(chunk.data.sliced(4)));
            for (const Chunk& icon : icons) {
                if (icon.id != "icon") continue;
                if (file.Frames.size() >= kMaxFrames) {
                    return Status::error("animated pointer of more than " +
                                         std::to_string(kMaxFrames) + " frames");
                }
                if (haveHeader && !(flags & kAnimatedFramesAreIcons)) break;
                auto picture = parseCursor(icon.data);
                if (!picture)
                    return picture.status().withContext("animated pointer frame " +
                                                        std::to_string(file.Frames.size() + 1));
                file.Frames.push_back(std::move(*picture));
            }
        }
    }
    if (!haveHeader) return Status::error("animated pointer without its header");
    if (!(flags & kAnimatedFramesAreIcons)) {
        return Status::error("animated pointer of raw bitmaps is not supported");
    }
    if (file.Frames.empty()) return Status::error("animated pointer without frames");

    const int frames = static_cast<int>(file.Frames.size());
    if (sequence.empty()) {
        for (int i = 0; i < frames; ++i) sequence.push_back(static_cast<std::uint32_t>(i));
    }
    if (sequence.size() > kMaxSteps) {
        return Status::error("animated pointer of more than " + std::to_string(kMaxSteps) +
                             " steps");
    }
    for (size_t step = 0; step < sequence.size(); ++step) {
        if (sequence[step] >= static_cast<std::uint32_t>(frames)) {
            return Status::error("animated pointer step " + std::to_string(step + 1) +
                                 " shows frame " + std::to_string(sequence[step] + 1) + " of " +
                                 std::to_string(frames));
        }
        file.Sequence.push_back(static_cast<int>(sequence[step]));
        const std::uint32_t rate = step < rates.size() ? rates[step] : defaultRate;
        file.StepJiffies.push_back(static_cast<int>(std::clamp<std::uint32_t>(rate, 1, 600)));
    }
    return file;
}

}  // namespace zentrix::simulation
