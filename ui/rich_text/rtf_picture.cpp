#include "ui/rich_text/rtf_picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace zentrix::ui {
namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch

QImage readWithReader(const QByteArray& bytes, const char* format) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > RtfPicture::kMaxPixels) return {};
    QImage image;
    if (!reader.read(&image)) return {};
    return image;
}

// A DIB is a BMP file without its 14-byte file header: put one in front and
// let the BMP reader do the rest. The offset of the pixels follows from the
// info header's size and its colour table.
QImage decodeDib(const QByteArray& dib) {
    if (dib.size() < 16) return {};
    const auto* bytes = reinterpret_cast<const uchar*>(dib.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes);
    if (headerSize < 12 || headerSize > quint32(dib.size())) return {};
    quint32 bitCount = 0;
    quint32 colorsUsed = 0;
    if (headerSize == 12) {
        bitCount = qFromLittleEndian<quint16>(bytes + 10);
    } else if (headerSize >= 40) {
        bitCount = qFromLittleEndian<quint16>(bytes + 14);
        colorsUsed = qFromLittleEndian<quint32>(bytes + 32);
    } else {
        return {};
    }
    quint32 paletteEntries = 0;
    if (bitCount <= 8)
        paletteEntries = colorsUsed != 0 ? std::min<quint32>(colorsUsed, 256) : (1u << bitCount);
    const quint32 entrySize = headerSize == 12 ? 3 : 4;
    quint32 masks = 0;
    if (headerSize == 40 && dib.size() >= 20) {
        const quint32 compression = qFromLittleEndian<quint32>(bytes + 16);
        if (compression == 3) masks = 12;  // BI_BITFIELDS: three masks after the header
    }
    const quint32 offset = 14 + headerSize + masks + paletteEntries * entrySize;
    QByteArray file;
    file.reserve(14 + dib.size());
    uchar header[14] = {'B', 'M'};
    qToLittleEndian<quint32>(quint32(14 + dib.size()), header + 2);
    qToLittleEndian<quint32>(offset, header + 10);
    file.append(reinterpret_cast<const char*>(header), 14);
    file.append(dib);
    return readWithReader(file, "bmp");
}

// A device-dependent bitmap (\wbitmap) is only rows of pixels; its size, depth
// and row length come from the group's control words. Without a palette,
// 1-bit pixels are black on white and 4 or 8 bits are grey levels.
QImage decodeDeviceBitmap(const RtfPicture& picture) {
    const int width = picture.width;
    const int height = picture.height;
    const int bits = picture.bitsPerPixel;
    if (width <= 0 || height <= 0 || qint64(width) * height > RtfPicture::kMaxPixels) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
    const qint64 minimumRow = (qint64(width) * bits + 7) / 8;
    qint64 rowBytes = picture.widthBytes > 0 ? picture.widthBytes : ((minimumRow + 1) / 2) * 2;
    if (rowBytes < minimumRow) return {};
    if (rowBytes * height > picture.data.size()) return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    const auto* data = reinterpret_cast<const uchar*>(picture.data.constData());
    for (int y = 0; y < height; ++y) {
        const uchar* row = data + rowBytes * y;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (bits) {
                case 1: {
                    const bool set = row[x / 8] & (0x80 >> (x % 8));
                    out[x] = set ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                    break;
                }
                case 4: {
                    const int level = (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2]) & 0x0F;
                    out[x] = qRgb(level * 17, level * 17, level * 17);
                    break;
                }
                case 8:
                    out[x] = qRgb(row[x], row[x], row[x]);
                    break;
                case 24:
                    out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                    break;
                case 32:
                    out[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
                    break;
            }
        }
    }
    return image;
}

int clampExtent(double value) {
    if (!std::isfinite(value) || value < 1) return 1;
    return static_cast<int>(std::min<double>(std::lround(value), RtfPicture::kMaxDisplayExtent));
}

}  // namespace

QSize RtfPicture::displaySize(QSize decoded) const {
    double width = 0;
    double height = 0;
    if (goalWidth > 0 && goalHeight > 0) {
        width = goalWidth / kTwipsPerPixel;
        height = goalHeight / kTwipsPerPixel;
    } else if (!decoded.isEmpty()) {
        width = decoded.width();
        height = decoded.height();
    } else if (format == Format::WindowsMetafile || format == Format::EnhancedMetafile ||
               format == Format::MacPict) {
        // Metafile extents are in hundredths of a millimetre.
        width = this->width * 96.0 / 2540.0;
        height = this->height * 96.0 / 2540.0;
    } else {
        width = this->width;
        height = this->height;
    }
    if (width < 1 || height < 1) {
        width = 96;
        height = 96;
    }
    const double sx = scaleX > 0 ? scaleX / 100.0 : 1.0;
    const double sy = scaleY > 0 ? scaleY / 100.0 : 1.0;
    return QSize(clampExtent(width * sx), clampExtent(height * sy));
}

QImage decodeRtfPicture(const RtfPicture& picture) {
    switch (picture.format) {
        case RtfPicture::Format::Png:
            return readWithReader(picture.data, "png");
        case RtfPicture::Format::Jpeg:
            return readWithReader(picture.data, "jpeg");
        case RtfPicture::Format::Dib:
            return decodeDib(picture.data);
        case RtfPicture::Format::DeviceBitmap:
            return decodeDeviceBitmap(picture);
        default:
            return {};
    }
}

QImage rtfPicturePlaceholder(QSize size) {
    // Drawn at most 640 pixels a side; the document stretches it to its size.
    QImage image(size.boundedTo(QSize(640, 640)).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF4, 0xF4));
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1, Qt::DashLine));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    if (image.width() > 60 && image.height() > 20) {
        painter.setPen(QColor(0x70, 0x70, 0x70));
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Picture"));
    }
    return image;
}

}  // namespace zentrix::ui
