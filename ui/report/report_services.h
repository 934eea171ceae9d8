#pragma once

// What the report windows need from the program around them: a way to run
// a modal dialog (the program's dialog service, so that tests answer file
// choosers and windows without a modal box), a way to show an error, and a
// printer.

#include <QString>
#include <functional>

class QDialog;

namespace zentrix::report {

class PrintService;

struct ReportServices {
    // Runs `dialog` modally; gives QDialog::Accepted or QDialog::Rejected.
    std::function<int(QDialog&)> runModal;
    std::function<void(const QString&)> showError;
    PrintService* printer = nullptr;
};

}  // namespace zentrix::report
