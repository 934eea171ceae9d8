#include "ui/report/pdf_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include "ui/report/page_painter.h"

namespace zentrix::report {

base::Result<QByteArray> PdfBytes(const RenderedReport& report) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Zentrix"));
        writer.setResolution(1200);
        ZX_TRY(PaintPages(writer, report, 0, static_cast<int>(report.pages.size()) - 1));
    }
    return bytes;
}

base::Status WritePdf(const RenderedReport& report, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    auto bytes = PdfBytes(report);
    if (!bytes) return bytes.status().withContext(name.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        return base::Status::error(QStringLiteral("\"%1\" could not be written: %2")
                                       .arg(name, file.errorString())
                                       .toStdString());
    return base::Status::ok();
}

}  // namespace zentrix::report
