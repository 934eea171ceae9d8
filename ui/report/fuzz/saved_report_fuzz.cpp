// Feeds arbitrary bytes to the saved-report reader and paints whatever it
// accepts; fuzz_input.h says how an input becomes a file.

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#include "ui/report/fuzz/fuzz_input.h"
#include "ui/report/page_painter.h"
#include "ui/report/qrp_file.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto report = zentrix::report::DecodeReport(zentrix::report::fuzz::FileOfFuzzInput(input),
                                                QStringLiteral("fuzz.qrp"));
    if (report) {
        for (int p = 0; p < static_cast<int>(report->pages.size()) && p < 4; ++p)
            (void)zentrix::report::RenderPageImage(*report, p, 6);
    }
    return 0;
}
