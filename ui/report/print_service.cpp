#include "ui/report/print_service.h"

#include <QPrintDialog>
#include <QPrinter>

#include "ui/report/page_painter.h"

namespace zentrix::report {

base::Status PrintPages(QPrinter& printer, const RenderedReport& report, int first, int last) {
    printer.setFullPage(true);
    if (!report.title.isEmpty()) printer.setDocName(report.title);
    return PaintPages(printer, report, first, last);
}

DialogPrintService::DialogPrintService(std::function<int(QDialog&)> runModal)
    : runModal_(std::move(runModal)) {}

base::Result<bool> DialogPrintService::print(const RenderedReport& report, QWidget* parent) {
    const int count = static_cast<int>(report.pages.size());
    if (count == 0) return base::Status::error("the report has no pages to print");
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(report.title);
    printer.setPageSize(QPageSize(report.pages.front().size, QPageSize::Point));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setMinMax(1, count);
    dialog.setFromTo(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (runModal_(dialog) != QDialog::Accepted) return false;
    int first = 0;
    int last = count - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = (printer.toPage() > 0 ? printer.toPage() : count) - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        last = first;
    }
    ZX_TRY(PrintPages(printer, report, first, last));
    return true;
}

base::Result<bool> PdfFilePrintService::print(const RenderedReport& report, QWidget*) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path_);
    ZX_TRY(PrintPages(printer, report, 0, static_cast<int>(report.pages.size()) - 1));
    ++printed_;
    return true;
}

}  // namespace zentrix::report
