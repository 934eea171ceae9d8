// libFuzzer harness: any bytes as a study text. Reading must end without a
// crash, an out-of-bounds access or a hang, and the document it leaves must
// lay out at a fixed width.

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

#include "ui/rich_text/rich_text_document.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int count = 1;
    static QGuiApplication application(count, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    const auto summary = zentrix::ui::setStudyText(document, text);
    if (summary.picturesNotDecoded > summary.pictures) __builtin_trap();
    document.setTextWidth(400);
    (void)document.documentLayout()->documentSize();
    (void)zentrix::ui::studyTextToPlainText(text);
    return 0;
}
