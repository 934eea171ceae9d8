#include "test_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "simulation/byte_writer.h"

namespace zentrix::simulation::panel::testing {

SimulationFiles::SimulationFiles() { EXPECT_TRUE(folder_.isValid()); }

void SimulationFiles::write(const QString& name, const QByteArray& bytes) {
    QFile file(folder_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString SimulationFiles::build(const QStringList& frames, QSize size, const QString& version) {
    const int number = ++built_;
    QString json = QStringLiteral("{ \"version\": \"%1\", \"frames\": [\n").arg(version);
    for (int i = 0; i < frames.size(); ++i) {
        const QString shot = QStringLiteral("sim%1-frame%2.png").arg(number).arg(i + 1);
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((i * 47) % 360, 120, 230));
        EXPECT_TRUE(image.save(folder_.filePath(shot)));
        json += QStringLiteral("  { \"screenshot\": \"%1\", \"zones\": %2 }%3\n")
                    .arg(shot, frames[i], i + 1 < frames.size() ? "," : "");
    }
    json += "] }\n";
    const QString description = folder_.filePath(QStringLiteral("sim%1.json").arg(number));
    const QString output = folder_.filePath(QStringLiteral("sim%1.qsf").arg(number));
    write(QStringLiteral("sim%1.json").arg(number), json.toUtf8());
    QProcess tool;
    tool.start(QStringLiteral(ZENTRIX_SIM_TOOL), {QStringLiteral("build"), description, output});
    EXPECT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString() << "\n"
                                  << json.toStdString();
    return output;
}

QByteArray cursorFile(QSize size, QPoint hotspot, QRgb colour) {
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

QByteArray animatedCursorFile(const QList<QByteArray>& frames, const QList<int>& sequence,
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

QByteArray waveFile(int samples) {
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

}  // namespace zentrix::simulation::panel::testing
