#pragma once

// Small embedded files for tests, written byte by byte: pointer files and
// WAVE sounds as simulations carry them.

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRgb>
#include <QSize>

#include "simulation/byte_writer.h"

namespace zentrix::simulation::testing {

// A cursor file of one 32-bit picture, every pixel `colour`, with its hotspot.
inline QByteArray cursorFile(QSize size, QPoint hotspot, QRgb colour) {
    const int w = size.width(), h = size.height();
    const int maskRow = (w + 31) / 32 * 4;
    ByteWriter bitmap;
    bitmap.writeU32(40);
    bitmap.writeI32(w);
    bitmap.writeI32(h * 2);
    bitmap.writeU16(1);
    bitmap.writeU16(32);
    bitmap.writeZeros(24);
    for (int i = 0; i < w * h; ++i) bitmap.writeU32(colour | 0xFF000000);
    bitmap.writeZeros(maskRow * h);

    ByteWriter out;
    out.writeU16(0);
    out.writeU16(2);  // cursor
    out.writeU16(1);
    out.writeU8(static_cast<std::uint8_t>(w));
    out.writeU8(static_cast<std::uint8_t>(h));
    out.writeU8(0);
    out.writeU8(0);
    out.writeU16(static_cast<std::uint16_t>(hotspot.x()));
    out.writeU16(static_cast<std::uint16_t>(hotspot.y()));
    out.writeU32(static_cast<std::uint32_t>(bitmap.size()));
    out.writeU32(22);
    out.writeBytes(bitmap.bytes());
    return out.take();
}

// An animated cursor of the given frames, shown in `sequence` order.
inline QByteArray animatedCursorFile(const QList<QByteArray>& frames, const QList<int>& sequence,
                                     int jiffies) {
    ByteWriter chunks;
    chunks.writeBytes("anih");
    chunks.writeU32(36);
    chunks.writeU32(36);
    chunks.writeU32(static_cast<std::uint32_t>(frames.size()));
    chunks.writeU32(static_cast<std::uint32_t>(sequence.size()));
    chunks.writeZeros(16);
    chunks.writeU32(static_cast<std::uint32_t>(jiffies));
    chunks.writeU32(sequence.isEmpty() ? 1 : 3);  // frames are icons; a sequence follows
    if (!sequence.isEmpty()) {
        chunks.writeBytes("seq ");
        chunks.writeU32(static_cast<std::uint32_t>(sequence.size() * 4));
        for (int step : sequence) chunks.writeU32(static_cast<std::uint32_t>(step));
    }
    ByteWriter list;
    list.writeBytes("fram");
    for (const QByteArray& frame : frames) {
        list.writeBytes("icon");
        list.writeU32(static_cast<std::uint32_t>(frame.size()));
        list.writeBytes(frame);
        if (frame.size() & 1) list.writeU8(0);
    }
    chunks.writeBytes("LIST");
    chunks.writeU32(static_cast<std::uint32_t>(list.size()));
    chunks.writeBytes(list.bytes());

    ByteWriter out;
    out.writeBytes("RIFF");
    out.writeU32(static_cast<std::uint32_t>(4 + chunks.size()));
    out.writeBytes("ACON");
    out.writeBytes(chunks.bytes());
    return out.take();
}

// A WAVE file of silence: 16-bit mono samples at 8000 Hz.
inline QByteArray waveFile(int samples) {
    ByteWriter out;
    out.writeBytes("RIFF");
    out.writeU32(static_cast<std::uint32_t>(36 + samples * 2));
    out.writeBytes("WAVEfmt ");
    out.writeU32(16);
    out.writeU16(1);
    out.writeU16(1);
    out.writeU32(8000);
    out.writeU32(16000);
    out.writeU16(2);
    out.writeU16(16);
    out.writeBytes("data");
    out.writeU32(static_cast<std::uint32_t>(samples * 2));
    out.writeZeros(samples * 2);
    return out.take();
}

}  // namespace zentrix::simulation::testing
