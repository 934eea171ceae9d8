// Writing the saved-report file; the layout is in qrp_format.h.

#include <zlib.h>

#include <QFileInfo>
#include <QSaveFile>
#include <bit>
#include <cstring>

#include "ui/report/qrp_file.h"
#include "ui/report/qrp_format.h"

namespace zentrix::report {
namespace {

class RecordWriter {
public:
    explicit RecordWriter(QByteArray& out) : out_(out) {}

    void begin(qrp::Record kind) {
        out_.append(static_cast<char>(kind));
        lengthAt_ = out_.size();
        u32(0);
    }
    void end() {
        const uint32_t length = static_cast<uint32_t>(out_.size() - lengthAt_ - 4);
        for (int i = 0; i < 4; ++i)
            out_[lengthAt_ + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    }

    void u8(uint8_t v) { out_.append(static_cast<char>(v)); }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) out_.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void f64(double v) {
        const uint64_t bits = std::bit_cast<uint64_t>(v);
        for (int i = 0; i < 8; ++i) out_.append(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
    void text(const QString& s) {
        const QByteArray utf8 = s.toUtf8();
        u32(static_cast<uint32_t>(utf8.size()));
        out_.append(utf8);
    }
    // Rectangles are written with their width and height not negative,
    // the form the reader accepts; they cover the same area.
    void rect(const QRectF& given) {
        const QRectF r = given.width() < 0 || given.height() < 0 ? given.normalized() : given;
        f64(r.x());
        f64(r.y());
        f64(r.width());
        f64(r.height());
    }
    void bytes(const QByteArray& b) { out_.append(b); }

private:
    QByteArray& out_;
    qsizetype lengthAt_ = 0;
};

QByteArray CompressPixels(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray raw;
    raw.reserve(static_cast<qsizetype>(pixels.width()) * pixels.height() * 4);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            for (int i = 0; i < 4; ++i) raw.append(static_cast<char>((line[x] >> (8 * i)) & 0xFF));
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    QByteArray packed(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.constData()), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK)
        return {};
    packed.resize(static_cast<qsizetype>(size));
    return packed;
}

}  // namespace

QByteArray EncodeReport(const RenderedReport& report) {
    QByteArray payload;
    RecordWriter w(payload);
    w.begin(qrp::Record::Title);
    w.text(report.title);
    w.end();
    for (const ReportFont& font : report.fonts) {
        w.begin(qrp::Record::Font);
        w.f64(font.pointSize);
        w.u8(static_cast<uint8_t>((font.bold ? 1 : 0) | (font.italic ? 2 : 0) |
                                  (font.underline ? 4 : 0)));
        w.text(font.family);
        w.end();
    }
    for (const RenderedPage& page : report.pages) {
        w.begin(qrp::Record::Page);
        w.f64(page.size.width());
        w.f64(page.size.height());
        w.end();
        for (const PageCommand& command : page.commands) {
            if (const auto* t = std::get_if<TextCommand>(&command)) {
                w.begin(qrp::Record::Text);
                w.f64(t->baseline.x());
                w.f64(t->baseline.y());
                w.u32(static_cast<uint32_t>(t->font));
                w.u32(t->color.rgba());
                w.text(t->text);
            } else if (const auto* l = std::get_if<LineCommand>(&command)) {
                w.begin(qrp::Record::Line);
                w.f64(l->from.x());
                w.f64(l->from.y());
                w.f64(l->to.x());
                w.f64(l->to.y());
                w.f64(l->width);
                w.u32(l->color.rgba());
            } else if (const auto* r = std::get_if<RectCommand>(&command)) {
                w.begin(qrp::Record::Rect);
                w.rect(r->rect);
                w.f64(r->penWidth);
                w.u32(r->pen.rgba());
                w.u32(r->fill.rgba());
            } else if (const auto* c = std::get_if<ClipCommand>(&command)) {
                w.begin(qrp::Record::Clip);
                w.rect(c->rect);
            } else if (const auto* i = std::get_if<ImageCommand>(&command)) {
                w.begin(qrp::Record::Image);
                w.rect(i->target);
                w.u32(static_cast<uint32_t>(i->image.width()));
                w.u32(static_cast<uint32_t>(i->image.height()));
                w.bytes(CompressPixels(i->image));
            }
            w.end();
        }
    }

    QByteArray file;
    file.reserve(qrp::kHeaderSize + payload.size());
    file.append(qrp::kMagic, sizeof qrp::kMagic);
    QByteArray header;
    RecordWriter h(header);
    h.u8(qrp::kVersion & 0xFF);
    h.u8(qrp::kVersion >> 8);
    h.u8(0);
    h.u8(0);
    h.u32(static_cast<uint32_t>(payload.size()));
    h.u32(static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(payload.constData()),
                                      static_cast<uInt>(payload.size()))));
    h.u32(static_cast<uint32_t>(report.pages.size()));
    file.append(header);
    file.append(payload);
    return file;
}

base::Status SaveReport(const RenderedReport& report, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return base::Status::error(QStringLiteral("\"%1\" could not be written: %2")
                                       .arg(name, file.errorString())
                                       .toStdString());
    const QByteArray bytes = EncodeReport(report);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return base::Status::error(QStringLiteral("\"%1\" could not be written: %2")
                                       .arg(name, file.errorString())
                                       .toStdString());
    return base::Status::ok();
}

}  // namespace zentrix::report
