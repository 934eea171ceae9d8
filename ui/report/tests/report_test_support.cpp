#include "report_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QPainter>

namespace zentrix::report::testing {

PageSetup SmallPage() {
    PageSetup page;
    page.size = QSizeF(300, 400);
    page.margins = QMarginsF(20, 20, 20, 20);
    return page;
}

Band LinesBand(const QString& name, int lines) {
    QStringList text;
    for (int i = 1; i <= lines; ++i) text << QStringLiteral("%1 line %2").arg(name).arg(i);
    Band band;
    band.addText(TextField::plain(text.join(QLatin1Char('\n'))));
    return band;
}

ReportDefinition WithDetails(std::vector<Band> bands, PageSetup page) {
    ReportDefinition definition;
    definition.title = QStringLiteral("Test report");
    definition.page = page;
    definition.titleBand.addText(TextField::plain(QStringLiteral("Title")));
    auto shared = std::make_shared<std::vector<Band>>(std::move(bands));
    auto next = std::make_shared<size_t>(0);
    definition.nextDetail = [shared, next]() -> std::optional<Band> {
        if (*next >= shared->size()) return std::nullopt;
        return (*shared)[(*next)++];
    };
    return definition;
}

std::vector<PlacedText> AllText(const RenderedReport& report) {
    std::vector<PlacedText> out;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        for (const PageCommand& command : report.pages[p].commands) {
            if (const auto* text = std::get_if<TextCommand>(&command))
                out.push_back(PlacedText{static_cast<int>(p), text->baseline.y(), text->text});
        }
    }
    return out;
}

RenderedReport EveryCommandReport() {
    RenderedReport report;
    report.title = QStringLiteral("Every command \u00e9\u20ac");
    const int plain = report.fontIndex(ReportFont{});
    const int bold =
        report.fontIndex(ReportFont{QStringLiteral("DejaVu Serif"), 14, true, true, true});
    QImage picture(24, 16, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.fillRect(2, 2, 12, 8, QColor(200, 30, 30));
        painter.fillRect(10, 6, 12, 8, QColor(30, 30, 200, 128));
    }
    RenderedPage first{QSizeF(300, 400), {}};
    first.commands.push_back(
        TextCommand{QPointF(20.25, 40.5), bold, QColor(10, 20, 30), QStringLiteral("Heading")});
    first.commands.push_back(
        TextCommand{QPointF(20, 60), plain, Qt::black,
                    QStringLiteral("Stra\u00dfe caf\u00e9 \u2013 \u201cquoted\u201d")});
    first.commands.push_back(LineCommand{QPointF(20, 70), QPointF(280, 70), 0.75, Qt::black});
    first.commands.push_back(
        RectCommand{QRectF(20, 80, 100, 40), 1.0, Qt::black, QColor(148, 140, 181)});
    first.commands.push_back(ClipCommand{QRectF(20, 130, 50, 10)});
    first.commands.push_back(
        TextCommand{QPointF(20, 140), plain, Qt::black, QStringLiteral("clipped text runs long")});
    first.commands.push_back(ClipCommand{});
    first.commands.push_back(ImageCommand{QRectF(150, 80, 48, 32), picture});
    RenderedPage second{QSizeF(400, 300), {}};
    second.commands.push_back(
        TextCommand{QPointF(30, 30), plain, Qt::darkGreen, QStringLiteral("Second page")});
    report.pages = {first, second};
    return report;
}

void ScriptedDialogs::chooseFile(const QString& path) {
    answerNext([path](QDialog& dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(&dialog);
        EXPECT_NE(chooser, nullptr) << "expected a file chooser";
        if (!chooser) return int(QDialog::Rejected);
        chooser->selectFile(path);
        return int(QDialog::Accepted);
    });
}

ReportServices ScriptedDialogs::services(PrintService* printer) {
    ReportServices s;
    s.runModal = [this](QDialog& dialog) { return run(dialog); };
    s.showError = [this](const QString& text) { errors.push_back(text); };
    s.printer = printer;
    return s;
}

int ScriptedDialogs::run(QDialog& dialog) {
    titles.push_back(dialog.windowTitle());
    if (handlers_.empty()) return QDialog::Rejected;
    Handler handler = std::move(handlers_.front());
    handlers_.pop_front();
    return handler(dialog);
}

QString ScratchPath(const QString& name) {
    const QString folder = QStringLiteral(ZENTRIX_BINARY_DIR "/report-test-scratch");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

}  // namespace zentrix::report::testing
