// Feeds arbitrary bytes to the saved-report reader and paints whatever it
// accepts. Inputs whose first byte is odd are taken as the records alone
// and given a valid header and checksum, so the fuzzer reaches the record
// checks instead of stopping at the checksum.

#include <zlib.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#include "ui/report/page_painter.h"
#include "ui/report/qrp_file.h"
#include "ui/report/qrp_format.h"

namespace {

void Put32(QByteArray& bytes, int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

QByteArray Sealed(const uint8_t* data, size_t size) {
    // Byte 1 is the announced page count; the rest the records.
    const uint32_t pages = size > 1 ? data[1] : 0;
    const QByteArray payload(reinterpret_cast<const char*>(data) + (size > 1 ? 2 : size), size > 1 ? static_cast<qsizetype>(size - 2) : 0);
    QByteArray file(zentrix::report::qrp::kMagic, sizeof zentrix::report::qrp::kMagic);
    file.append(16, '\0');
    file[8] = static_cast<char>(zentrix::report::qrp::kVersion);
    Put32(file, 12, static_cast<uint32_t>(payload.size()));
    Put32(file, 16, static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(payload.constData()),
                                                static_cast<uInt>(payload.size()))));
    Put32(file, 20, pages);
    return file + payload;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = size > 0 && (data[0] & 1)
                                 ? Sealed(data, size)
                                 : QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto report = zentrix::report::DecodeReport(bytes, QStringLiteral("fuzz.qrp"));
    if (report) {
        for (int p = 0; p < static_cast<int>(report->pages.size()) && p < 4; ++p)
            (void)zentrix::report::RenderPageImage(*report, p, 6);
    }
    return 0;
}
