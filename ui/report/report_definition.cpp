#include "ui/report/report_definition.h"

namespace zentrix::report {

TextField TextField::plain(QString text, ReportFont font, Align align) {
    TextField field;
    TextRun run;
    run.text = std::move(text);
    field.runs.push_back(std::move(run));
    field.font = std::move(font);
    field.align = align;
    return field;
}

QString TextField::text() const {
    QString all;
    for (const TextRun& run : runs) all += run.text;
    return all;
}

Band& Band::addText(TextField field, double x, double width, double spaceAfter) {
    rows.push_back(BandRow{{Cell{x, width, std::move(field)}}, spaceAfter});
    return *this;
}

Band& Band::addRow(std::vector<Cell> cells, double spaceAfter) {
    rows.push_back(BandRow{std::move(cells), spaceAfter});
    return *this;
}

Band& Band::addRule(Rule rule) {
    rows.push_back(BandRow{{Cell{0, 0, rule}}, 0});
    return *this;
}

Band ReportDefinition::DefaultFooter(int page, int pageCount) {
    ReportFont font;
    font.pointSize = 8.5;
    TextField field = TextField::plain(QStringLiteral("Page %1 of %2").arg(page).arg(pageCount),
                                       font, TextField::Align::Center);
    field.color = QColor(90, 90, 90);
    Band band;
    band.addText(std::move(field));
    return band;
}

}  // namespace zentrix::report
