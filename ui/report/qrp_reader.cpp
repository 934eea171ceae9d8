// Reading the saved-report file; the layout is in qrp_format.h. Every length
// and count is checked against what is left of the file before it is used,
// and every number against the range a report can hold.

#include <zlib.h>

#include <QFile>
#include <QFileInfo>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

#include "ui/report/qrp_file.h"
#include "ui/report/qrp_format.h"

namespace zentrix::report {
namespace {

class Fault {
public:
    explicit Fault(QString text) : text(std::move(text)) {}
    QString text;
};

// Reads the body of one record; every read checks what is left.
class BodyReader {
public:
    BodyReader(const char* data, qsizetype size, qsizetype fileOffset)
        : data_(data), size_(size), fileOffset_(fileOffset) {}

    std::optional<uint8_t> u8() {
        if (!need(1)) return std::nullopt;
        return static_cast<uint8_t>(data_[pos_++]);
    }
    std::optional<uint32_t> u32() {
        if (!need(4)) return std::nullopt;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(static_cast<uint8_t>(data_[pos_ + i])) << (8 * i);
        pos_ += 4;
        return v;
    }
    std::optional<double> f64() {
        if (!need(8)) return std::nullopt;
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= static_cast<uint64_t>(static_cast<uint8_t>(data_[pos_ + i])) << (8 * i);
        pos_ += 8;
        return std::bit_cast<double>(bits);
    }
    std::optional<QString> text() {
        const auto length = u32();
        if (!length || !need(*length)) return std::nullopt;
        QString s = QString::fromUtf8(data_ + pos_, static_cast<qsizetype>(*length));
        pos_ += *length;
        return s;
    }
    const char* rest() const { return data_ + pos_; }
    void skipRest() { pos_ = size_; }
    qsizetype restSize() const { return size_ - pos_; }
    bool atEnd() const { return pos_ == size_; }
    qsizetype fileOffset() const { return fileOffset_; }

private:
    bool need(qsizetype n) const { return n >= 0 && size_ - pos_ >= n; }
    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    qsizetype fileOffset_;
};

const char* RecordName(uint8_t kind) {
    switch (static_cast<qrp::Record>(kind)) {
        case qrp::Record::Title:
            return "title";
        case qrp::Record::Font:
            return "font";
        case qrp::Record::Page:
            return "page";
        case qrp::Record::Text:
            return "text";
        case qrp::Record::Line:
            return "line";
        case qrp::Record::Rect:
            return "rectangle";
        case qrp::Record::Clip:
            return "clip";
        case qrp::Record::Image:
            return "picture";
    }
    return "unknown";
}

class Decoder {
public:
    explicit Decoder(RenderedReport& report) : report_(report) {}

    std::optional<Fault> decode(const QByteArray& payload, uint32_t declaredPages) {
        qsizetype pos = 0;
        while (pos < payload.size()) {
            const qsizetype at = qrp::kHeaderSize + pos;
            if (payload.size() - pos < qrp::kRecordHeaderSize)
                return Fault(QStringLiteral("the record at byte %1 is cut short").arg(at));
            const uint8_t kind = static_cast<uint8_t>(payload[pos]);
            uint32_t length = 0;
            for (int i = 0; i < 4; ++i)
                length |= static_cast<uint32_t>(static_cast<uint8_t>(payload[pos + 1 + i]))
                          << (8 * i);
            pos += qrp::kRecordHeaderSize;
            if (length > static_cast<uint64_t>(payload.size() - pos))
                return Fault(
                    QStringLiteral("the %1 record at byte %2 runs past the end of the file")
                        .arg(QLatin1String(RecordName(kind)))
                        .arg(at));
            BodyReader body(payload.constData() + pos, length, at);
            if (auto fault = record(kind, body)) return fault;
            if (!body.atEnd())
                return Fault(
                    QStringLiteral("the %1 record at byte %2 has %3 bytes more than it holds")
                        .arg(QLatin1String(RecordName(kind)))
                        .arg(at)
                        .arg(body.restSize()));
            pos += length;
        }
        if (report_.pages.size() != declaredPages)
            return Fault(QStringLiteral("it announces %1 pages but holds %2")
                             .arg(declaredPages)
                             .arg(report_.pages.size()));
        return std::nullopt;
    }

private:
    static Fault cut(const char* what, const BodyReader& body) {
        return Fault(QStringLiteral("the %1 record at byte %2 is cut short")
                         .arg(QLatin1String(what))
                         .arg(body.fileOffset()));
    }
    static Fault bad(const char* what, const BodyReader& body, const QString& detail) {
        return Fault(QStringLiteral("the %1 record at byte %2 %3")
                         .arg(QLatin1String(what))
                         .arg(body.fileOffset())
                         .arg(detail));
    }
    static bool coordinate(double v) {
        return std::isfinite(v) && std::fabs(v) <= qrp::kMaxCoordinate;
    }
    static bool extent(double v) { return std::isfinite(v) && v >= 0 && v <= qrp::kMaxCoordinate; }

    std::optional<Fault> needPage(const char* what, const BodyReader& body) const {
        if (report_.pages.empty())
            return bad(what, body, QStringLiteral("comes before the first page"));
        return std::nullopt;
    }

    std::optional<QRectF> rect(BodyReader& body) {
        const auto x = body.f64(), y = body.f64(), w = body.f64(), h = body.f64();
        if (!x || !y || !w || !h) return std::nullopt;
        if (!coordinate(*x) || !coordinate(*y) || !extent(*w) || !extent(*h))
            return QRectF(-1, -1, -1, -1);
        return QRectF(*x, *y, *w, *h);
    }

    std::optional<Fault> record(uint8_t kind, BodyReader& body) {
        switch (static_cast<qrp::Record>(kind)) {
            case qrp::Record::Title: {
                const auto title = body.text();
                if (!title) return cut("title", body);
                report_.title = *title;
                return std::nullopt;
            }
            case qrp::Record::Font: {
                const auto size = body.f64();
                const auto flags = body.u8();
                const auto family = body.text();
                if (!size || !flags || !family) return cut("font", body);
                if (!std::isfinite(*size) || *size < ReportFont::kMinPointSize ||
                    *size > ReportFont::kMaxPointSize)
                    return bad("font", body, QStringLiteral("has a size of %1 points").arg(*size));
                if (*flags > 7) return bad("font", body, QStringLiteral("has unknown style bits"));
                if (static_cast<int>(report_.fonts.size()) >= qrp::kMaxFonts)
                    return bad("font", body, QStringLiteral("is one font too many"));
                report_.fonts.push_back(ReportFont{*family, *size, (*flags & 1) != 0,
                                                   (*flags & 2) != 0, (*flags & 4) != 0});
                return std::nullopt;
            }
            case qrp::Record::Page: {
                const auto w = body.f64(), h = body.f64();
                if (!w || !h) return cut("page", body);
                const auto side = [](double v) {
                    return std::isfinite(v) && v >= qrp::kMinPageSide && v <= qrp::kMaxPageSide;
                };
                if (!side(*w) || !side(*h))
                    return bad("page", body, QStringLiteral("has an impossible size"));
                if (static_cast<int>(report_.pages.size()) >= qrp::kMaxPages)
                    return bad("page", body, QStringLiteral("is one page too many"));
                report_.pages.push_back(RenderedPage{QSizeF(*w, *h), {}});
                return std::nullopt;
            }
            case qrp::Record::Text: {
                if (auto fault = needPage("text", body)) return fault;
                const auto x = body.f64(), y = body.f64();
                const auto font = body.u32(), color = body.u32();
                const auto text = body.text();
                if (!x || !y || !font || !color || !text) return cut("text", body);
                if (!coordinate(*x) || !coordinate(*y))
                    return bad("text", body, QStringLiteral("lies off any page"));
                if (*font >= report_.fonts.size())
                    return bad(
                        "text", body,
                        QStringLiteral("uses font %1 of %2").arg(*font).arg(report_.fonts.size()));
                add(TextCommand{QPointF(*x, *y), static_cast<int>(*font), QColor::fromRgba(*color),
                                *text});
                return std::nullopt;
            }
            case qrp::Record::Line: {
                if (auto fault = needPage("line", body)) return fault;
                const auto x1 = body.f64(), y1 = body.f64(), x2 = body.f64(), y2 = body.f64(),
                           w = body.f64();
                const auto color = body.u32();
                if (!x1 || !y1 || !x2 || !y2 || !w || !color) return cut("line", body);
                if (!coordinate(*x1) || !coordinate(*y1) || !coordinate(*x2) || !coordinate(*y2) ||
                    !extent(*w))
                    return bad("line", body, QStringLiteral("lies off any page"));
                add(LineCommand{QPointF(*x1, *y1), QPointF(*x2, *y2), *w,
                                QColor::fromRgba(*color)});
                return std::nullopt;
            }
            case qrp::Record::Rect: {
                if (auto fault = needPage("rectangle", body)) return fault;
                const auto r = rect(body);
                const auto w = body.f64();
                const auto pen = body.u32(), fill = body.u32();
                if (!r || !w || !pen || !fill) return cut("rectangle", body);
                if (r->width() < 0)
                    return bad("rectangle", body, QStringLiteral("lies off any page"));
                if (!extent(*w))
                    return bad("rectangle", body, QStringLiteral("has an impossible outline"));
                add(RectCommand{*r, *w, QColor::fromRgba(*pen), QColor::fromRgba(*fill)});
                return std::nullopt;
            }
            case qrp::Record::Clip: {
                if (auto fault = needPage("clip", body)) return fault;
                const auto r = rect(body);
                if (!r) return cut("clip", body);
                if (r->width() < 0) return bad("clip", body, QStringLiteral("lies off any page"));
                add(ClipCommand{*r});
                return std::nullopt;
            }
            case qrp::Record::Image:
                return image(body);
        }
        return Fault(QStringLiteral("the record at byte %1 is of an unknown kind (%2)")
                         .arg(body.fileOffset())
                         .arg(kind));
    }

    std::optional<Fault> image(BodyReader& body) {
        if (auto fault = needPage("picture", body)) return fault;
        const auto target = rect(body);
        const auto width = body.u32(), height = body.u32();
        if (!target || !width || !height) return cut("picture", body);
        if (target->width() < 0) return bad("picture", body, QStringLiteral("lies off any page"));
        if (*width < 1 || *height < 1 || *width > qrp::kMaxImageSide ||
            *height > qrp::kMaxImageSide ||
            static_cast<int64_t>(*width) * *height > qrp::kMaxImagePixels)
            return bad("picture", body,
                       QStringLiteral("claims %1 by %2 pixels").arg(*width).arg(*height));
        QImage picture(static_cast<int>(*width), static_cast<int>(*height),
                       QImage::Format_ARGB32_Premultiplied);
        if (picture.isNull()) return bad("picture", body, QStringLiteral("does not fit in memory"));
        const uLong expected = static_cast<uLong>(*width) * *height * 4;
        QByteArray raw(static_cast<qsizetype>(expected), Qt::Uninitialized);
        uLongf produced = expected;
        uLong consumed = static_cast<uLong>(body.restSize());
        const int rc = uncompress2(reinterpret_cast<Bytef*>(raw.data()), &produced,
                                   reinterpret_cast<const Bytef*>(body.rest()), &consumed);
        if (rc != Z_OK || produced != expected || consumed != static_cast<uLong>(body.restSize()))
            return bad("picture", body, QStringLiteral("holds damaged pixels"));
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<uint32_t*>(picture.scanLine(y));
            const auto* src = reinterpret_cast<const uint8_t*>(raw.constData()) +
                              static_cast<qsizetype>(y) * *width * 4;
            for (uint32_t x = 0; x < *width; ++x) {
                uint32_t argb = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                (static_cast<uint32_t>(src[4 * x + 3]) << 24);
                // Premultiplied: no component may exceed alpha.
                const uint32_t a = argb >> 24;
                if (((argb >> 16) & 0xFF) > a || ((argb >> 8) & 0xFF) > a || (argb & 0xFF) > a)
                    return bad("picture", body, QStringLiteral("holds damaged pixels"));
                line[x] = argb;
            }
        }
        body.skipRest();
        add(ImageCommand{*target, picture});
        return std::nullopt;
    }

    void add(PageCommand command) { report_.pages.back().commands.push_back(std::move(command)); }

    RenderedReport& report_;
};

uint32_t U32At(const QByteArray& bytes, int at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return v;
}

base::Status Error(const QString& text) { return base::Status::error(text.toStdString()); }

}  // namespace

base::Result<RenderedReport> DecodeReport(const QByteArray& bytes, const QString& name) {
    const QString quoted = QStringLiteral("\"%1\"").arg(name);
    if (bytes.size() < static_cast<qsizetype>(sizeof qrp::kMagic) ||
        std::memcmp(bytes.constData(), qrp::kMagic, sizeof qrp::kMagic) != 0)
        return Error(quoted + QStringLiteral(" is not a Zentrix report."));
    if (bytes.size() < qrp::kHeaderSize)
        return Error(quoted + QStringLiteral(" is damaged: it ends inside its header."));
    const uint16_t version = static_cast<uint16_t>(static_cast<uint8_t>(bytes[8]) |
                                                   (static_cast<uint8_t>(bytes[9]) << 8));
    if (version > qrp::kVersion)
        return Error(
            quoted +
            QStringLiteral(" was saved by a newer version of Zentrix (report format %1); this "
                           "version reads format %2 and older.")
                .arg(version)
                .arg(qrp::kVersion));
    if (version == 0)
        return Error(quoted + QStringLiteral(" is damaged: its format version is 0."));
    const uint32_t length = U32At(bytes, 12);
    const uint32_t checksum = U32At(bytes, 16);
    const uint32_t pages = U32At(bytes, 20);
    const qsizetype actual = bytes.size() - qrp::kHeaderSize;
    if (length != static_cast<uint64_t>(actual))
        return Error(quoted + QStringLiteral(
                                  " is damaged: it should hold %1 bytes of pages but holds %2 (the "
                                  "file was cut short or added to).")
                                  .arg(length)
                                  .arg(actual));
    const QByteArray payload = bytes.mid(qrp::kHeaderSize);
    const uint32_t computed =
        static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(payload.constData()),
                                    static_cast<uInt>(payload.size())));
    if (computed != checksum)
        return Error(quoted +
                     QStringLiteral(" is damaged: its contents do not match their checksum."));
    if (pages > static_cast<uint32_t>(qrp::kMaxPages))
        return Error(quoted + QStringLiteral(" is damaged: it announces %1 pages.").arg(pages));
    RenderedReport report;
    Decoder decoder(report);
    if (auto fault = decoder.decode(payload, pages))
        return Error(quoted + QStringLiteral(" is damaged: ") + fault->text + QStringLiteral("."));
    if (report.pages.empty())
        return Error(quoted + QStringLiteral(" is damaged: it holds no pages."));
    return report;
}

base::Result<RenderedReport> LoadReport(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error(
            QStringLiteral("\"%1\" could not be opened: %2.").arg(name, file.errorString()));
    if (file.size() > qrp::kMaxFileSize)
        return Error(
            QStringLiteral("\"%1\" is not a Zentrix report: it is far larger than any report.")
                .arg(name));
    const QByteArray bytes = file.read(qrp::kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Error(QStringLiteral("\"%1\" could not be read: %2.").arg(name, file.errorString()));
    return DecodeReport(bytes, name);
}

}  // namespace zentrix::report
