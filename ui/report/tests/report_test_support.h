#pragma once

// Small reports and scripted dialogs for the report engine's tests.

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

#include "ui/report/rendered_report.h"
#include "ui/report/report_definition.h"
#include "ui/report/report_services.h"

// Lets test messages and failed comparisons show Qt texts.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace zentrix::report::testing {

// A page of 300 by 400 points with 20-point margins.
PageSetup SmallPage();

// A text band of `lines` lines "<name> line <i>", each forced by a line break.
Band LinesBand(const QString& name, int lines);

// Details from a list of bands, in order.
ReportDefinition WithDetails(std::vector<Band> bands, PageSetup page = SmallPage());

struct PlacedText {
    int page = 0;
    double baseline = 0;
    QString text;
};
std::vector<PlacedText> AllText(const RenderedReport& report);

// A report with every kind of command, for saving and reading back.
RenderedReport EveryCommandReport();

// Answers modal dialogs from a script and records their titles; an
// unscripted dialog is rejected.
class ScriptedDialogs {
public:
    using Handler = std::function<int(QDialog&)>;
    void answerNext(Handler handler) { handlers_.push_back(std::move(handler)); }
    // The next file chooser selects `path` and is accepted.
    void chooseFile(const QString& path);

    ReportServices services(class PrintService* printer = nullptr);

    std::vector<QString> titles;
    std::vector<QString> errors;

private:
    int run(QDialog& dialog);
    std::deque<Handler> handlers_;
};

QString ScratchPath(const QString& name);

}  // namespace zentrix::report::testing
