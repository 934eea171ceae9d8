#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <cstdint>

#include "simulation/byte_writer.h"
#include "simulation/screenshot_encoder.h"

namespace zentrix::simulation::testing {

// A GIF of frameCount solid 8x8 frames, frame n in a colour of its own.
inline QByteArray solidGif(int frameCount) {
    QList<QImage> shots;
    for (int i = 0; i < frameCount; ++i) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((i * 37) % 360, 200, 200));
        shots.append(image);
    }
    return ScreenshotEncoder::encode(shots).value();
}

// Builds zone records, frame records and files byte by byte, so that tests can
// write exactly the damage they are about.
class ZoneBytes {
public:
    // Header of versions 0x0101..0x0108 (14 bytes).
    static ZoneBytes rectangle(std::uint8_t type, std::uint8_t flags, std::uint8_t target,
                               int left = 1, int top = 2, int right = 30, int bottom = 40) {
        ZoneBytes zone;
        zone.out_.writeU16(0);
        zone.out_.writeU8(type);
        zone.out_.writeU8(flags);
        for (int v : {left, top, right, bottom}) zone.out_.writeU16(static_cast<std::uint16_t>(v));
        zone.out_.writeU8(target);
        zone.out_.writeU8(0);
        return zone;
    }
    // Header of 0x0109 (248 bytes) or, with a delay, 0x0110 (252 bytes).
    static ZoneBytes outline(std::uint8_t type, std::uint8_t flags, std::uint8_t target,
                             std::uint8_t shape, std::uint8_t pointCount, bool withDelay,
                             std::uint32_t delay = 0) {
        ZoneBytes zone;
        zone.out_.writeU16(0);
        zone.out_.writeU8(type);
        zone.out_.writeU8(flags);
        for (int i = 0; i < 30; ++i) {
            zone.out_.writeI32(i * 3);
            zone.out_.writeI32(i * 5);
        }
        zone.out_.writeU8(shape);
        zone.out_.writeU8(pointCount);
        zone.out_.writeU8(target);
        zone.out_.writeU8(0);
        if (withDelay) zone.out_.writeU32(delay);
        return zone;
    }

    ZoneBytes& u8(std::uint8_t v) {
        out_.writeU8(v);
        return *this;
    }
    ZoneBytes& u16(std::uint16_t v) {
        out_.writeU16(v);
        return *this;
    }
    ZoneBytes& u32(std::uint32_t v) {
        out_.writeU32(v);
        return *this;
    }
    ZoneBytes& str(const QByteArray& s) {
        out_.writeString(s);
        return *this;
    }
    ZoneBytes& bytes(const QByteArray& b) {
        out_.writeBytes(b);
        return *this;
    }
    // Sets the length word; by default the true length.
    QByteArray finish(int lengthOverride = -1) {
        out_.patchU16(
            0, static_cast<std::uint16_t>(lengthOverride >= 0 ? lengthOverride : out_.size()));
        return out_.bytes();
    }

private:
    ByteWriter out_;
};

inline QByteArray frameRecord(const QList<QByteArray>& zones, int lengthOverride = -1,
                              int zoneCountOverride = -1) {
    ByteWriter out;
    out.writeU16(0);
    out.writeU8(
        static_cast<std::uint8_t>(zoneCountOverride >= 0 ? zoneCountOverride : zones.size()));
    out.writeU8(0);
    for (const QByteArray& zone : zones) out.writeBytes(zone);
    out.patchU16(0, static_cast<std::uint16_t>(lengthOverride >= 0 ? lengthOverride : out.size()));
    return out.bytes();
}

inline QByteArray simulationFile(std::uint16_t version, const QByteArray& gif,
                                 const QList<QByteArray>& records, std::uint8_t fileType = 0,
                                 int recordCountOverride = -1, qint64 gifLengthOverride = -1) {
    ByteWriter out;
    out.writeU16(1);
    out.writeU16(version);
    out.writeU8(fileType);
    out.writeU8(
        static_cast<std::uint8_t>(recordCountOverride >= 0 ? recordCountOverride : records.size()));
    out.writeU16(0);
    out.writeU32(
        static_cast<std::uint32_t>(gifLengthOverride >= 0 ? gifLengthOverride : gif.size()));
    out.writeBytes(gif);
    for (const QByteArray& record : records) out.writeBytes(record);
    return out.bytes();
}

}  // namespace zentrix::simulation::testing
