// Writes seed inputs for zentrix_report_fuzz into the folder given: whole
// saved reports, and the same reports as bare records (first byte odd, then
// the page count), the form the harness seals itself.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include "ui/report/qrp_file.h"
#include "ui/report/qrp_format.h"
#include "ui/report/report_paginator.h"

using namespace zentrix::report;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    ReportDefinition definition;
    definition.title = QStringLiteral("Seed");
    definition.page.size = QSizeF(200, 200);
    definition.page.margins = QMarginsF(10, 10, 10, 10);
    definition.titleBand.frame = true;
    definition.titleBand.addText(TextField::plain(
        QStringLiteral("Seed title"), ReportFont{QStringLiteral("DejaVu Serif"), 12, true}));
    BarChart chart;
    chart.bars = {{QStringLiteral("A:"), 600, Qt::red, QStringLiteral("600")},
                  {QStringLiteral("B:"), 800, Qt::blue, {}}};
    chart.ticks = {0, 500, 1000};
    definition.titleBand.addRow({Cell{0, 0, chart}});
    int left = 3;
    definition.nextDetail = [&left]() -> std::optional<Band> {
        if (left-- == 0) return std::nullopt;
        Band band;
        band.addText(TextField::plain(QStringLiteral("Detail line one\nline two")));
        band.addRule();
        return band;
    };
    RenderedReport report = Paginate(definition);
    QImage picture(3, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(10, 20, 30));
    report.pages[0].commands.push_back(ImageCommand{QRectF(5, 5, 6, 4), picture});
    report.pages[0].commands.push_back(ClipCommand{QRectF(0, 0, 50, 50)});
    report.pages[0].commands.push_back(ClipCommand{});

    const QByteArray whole = EncodeReport(report);
    Write(folder + QStringLiteral("/report.qrp"), whole);
    QByteArray bare(1, '\x01');
    bare.append(static_cast<char>(report.pages.size()));
    bare.append(whole.mid(qrp::kHeaderSize));
    Write(folder + QStringLiteral("/records"), bare);
    return 0;
}
