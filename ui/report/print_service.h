#pragma once

// Printing a finished report. The program asks the platform's print dialog
// which printer and pages to use; tests print to a PDF file without any
// dialog.

#include <QString>
#include <functional>

#include "base/status.h"
#include "ui/report/rendered_report.h"

class QDialog;
class QPrinter;
class QWidget;

namespace zentrix::report {

class PrintService {
public:
    virtual ~PrintService() = default;
    // True when printed, false when the person cancelled; an error when the
    // printer could not take the pages.
    virtual base::Result<bool> print(const RenderedReport& report, QWidget* parent) = 0;
};

// Shows the platform's print dialog (through `runModal`) and prints the
// pages chosen there.
class DialogPrintService final : public PrintService {
public:
    explicit DialogPrintService(std::function<int(QDialog&)> runModal);
    base::Result<bool> print(const RenderedReport& report, QWidget* parent) override;

private:
    std::function<int(QDialog&)> runModal_;
};

// Prints every page into one PDF file, as a PDF printer would.
class PdfFilePrintService final : public PrintService {
public:
    explicit PdfFilePrintService(QString path) : path_(std::move(path)) {}
    base::Result<bool> print(const RenderedReport& report, QWidget* parent) override;

    const QString& path() const { return path_; }
    int printed() const { return printed_; }

private:
    QString path_;
    int printed_ = 0;
};

// Prints pages `first` to `last` (0-based) on a printer set up by the caller.
base::Status PrintPages(QPrinter& printer, const RenderedReport& report, int first, int last);

}  // namespace zentrix::report
