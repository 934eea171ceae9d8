// Reading a study text into a document and laying it out at a viewer's
// width, as a window does on every question:
//  - "Hint50K": a 50 KB hint of formatted paragraphs (bold, italic, colours,
//    a list, \'hh characters), no pictures; goal under 2 ms.
//  - "Document1M": a 1 MB document of the same text with 20 embedded PNG
//    pictures (hexadecimal, as Word writes them); goal under 50 ms.
// Each is measured laid out whole and laid out as far as a viewer's first
// screen; read alone and Qt's plain-text layout show where the time goes.
// On a shared machine compare CPU times: wall time includes waiting.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>

#include "study_text_sample.h"
#include "ui/rich_text/rich_text_document.h"

namespace {

using zentrix::bench::header;
using zentrix::bench::paragraph;

// A noisy picture, so that its PNG is about as large as a screenshot's.
QByteArray pictureGroup(int seed) {
    QImage image(160, 100, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x + (random.bounded(16)), y + random.bounded(16), 128));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    QByteArray group = "{\\pict\\pngblip\\picw160\\pich100\\picwgoal2400\\pichgoal1500\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) group += hex.mid(i, 128) + "\n";
    return group + "}\\par\n";
}

QByteArray document(qsizetype size, int pictures) {
    QByteArray pictureBytes;
    for (int i = 0; i < pictures; ++i) pictureBytes += pictureGroup(i);
    QByteArray rtf = header();
    const qsizetype textSize = size - pictureBytes.size();
    int next = 0;
    for (int i = 0; rtf.size() < size - 1; ++i) {
        rtf += paragraph(i);
        if (next < pictures && rtf.size() * pictures > textSize * next) rtf += pictureGroup(next++);
    }
    return rtf + "}";
}

void readAndLayOut(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument doc;
        zentrix::ui::setStudyText(doc, rtf);
        doc.setTextWidth(560);
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.counters["bytes"] = static_cast<double>(rtf.size());
}

// What a viewer waits for before it paints: the text read and the blocks of
// its first 600 pixels laid out (Qt lays the rest out when it is scrolled to).
void readAndLayOutFirstScreen(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument doc;
        zentrix::ui::setStudyText(doc, rtf);
        doc.setTextWidth(560);
        QAbstractTextDocumentLayout* layout = doc.documentLayout();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (layout->blockBoundingRect(block).bottom() > 600) break;
        }
        benchmark::DoNotOptimize(layout);
    }
}

void readOnly(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument doc;
        zentrix::ui::setStudyText(doc, rtf);
        benchmark::DoNotOptimize(doc.blockCount());
    }
}

// Qt's own layout of the same characters without any formatting: the floor
// under the reader's figures.
void plainLayout(benchmark::State& state, const QByteArray& rtf) {
    QTextDocument source;
    zentrix::ui::setStudyText(source, rtf);
    const QString plain = source.toPlainText();
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(plain);
        doc.setTextWidth(560);
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    }
}

const QByteArray& hint() { return zentrix::bench::hintSample(); }
const QByteArray& bigDocument() {
    static const QByteArray rtf = document(1024 * 1024, 20);
    return rtf;
}

void Hint50K(benchmark::State& state) { readAndLayOut(state, hint()); }
void Hint50KFirstScreen(benchmark::State& state) { readAndLayOutFirstScreen(state, hint()); }
void Hint50KReadOnly(benchmark::State& state) { readOnly(state, hint()); }
void Hint50KQtPlainLayout(benchmark::State& state) { plainLayout(state, hint()); }
void Document1M(benchmark::State& state) { readAndLayOut(state, bigDocument()); }
void Document1MFirstScreen(benchmark::State& state) {
    readAndLayOutFirstScreen(state, bigDocument());
}

BENCHMARK(Hint50K)->Unit(benchmark::kMillisecond);
BENCHMARK(Hint50KFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(Hint50KReadOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(Hint50KQtPlainLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(Document1M)->Unit(benchmark::kMillisecond);
BENCHMARK(Document1MFirstScreen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
