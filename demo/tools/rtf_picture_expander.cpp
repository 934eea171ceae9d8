#include "demo/tools/rtf_picture_expander.h"

#include <QFile>
#include <QImage>

namespace zentrix::demo {

using simulation::Result;
using simulation::Status;

namespace {

constexpr char kOpen[] = "@RTF_PICTURE(";
constexpr char kClose[] = ")@";
constexpr int kTwipsPerPixel = 15;  // at 96 pixels per inch
constexpr int kHexPerLine = 128;

}  // namespace

Result<QByteArray> RtfPictureExpander::pictureGroup(const QString& fileName) const {
    QFile file(pictures_.filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return Status::error(file.fileName().toStdString() + ": the picture cannot be read");
    const QByteArray bytes = file.readAll();
    QImage image;
    if (!image.loadFromData(bytes))
        return Status::error(file.fileName().toStdString() + ": not a picture");
    const bool png = bytes.startsWith("\x89PNG");
    const bool jpeg = bytes.startsWith("\xFF\xD8");
    if (!png && !jpeg)
        return Status::error(file.fileName().toStdString() + ": rich text embeds PNG or JPEG only");

    QByteArray group = "{\\pict";
    group += png ? "\\pngblip" : "\\jpegblip";
    group += "\\picw" + QByteArray::number(image.width()) + "\\pich" +
             QByteArray::number(image.height());
    group += "\\picwgoal" + QByteArray::number(image.width() * kTwipsPerPixel);
    group += "\\pichgoal" + QByteArray::number(image.height() * kTwipsPerPixel);
    const QByteArray hex = bytes.toHex();
    for (qsizetype i = 0; i < hex.size(); i += kHexPerLine)
        group += "\r\n" + hex.mid(i, kHexPerLine);
    group += "}";
    return group;
}

Result<QByteArray> RtfPictureExpander::expand(const QByteArray& text, const QString& where) const {
    QByteArray out;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(kOpen, from);
        if (open < 0) break;
        const qsizetype nameStart = open + qsizetype(sizeof(kOpen) - 1);
        const qsizetype close = text.indexOf(kClose, nameStart);
        const qsizetype lineEnd = text.indexOf('\n', nameStart);
        if (close < 0 || (lineEnd >= 0 && lineEnd < close)) {
            const int line = int(text.left(open).count('\n')) + 1;
            return Status::error(where.toStdString() + ":" + std::to_string(line) +
                                 ": @RTF_PICTURE( is not closed by )@ on its line");
        }
        const QString name = QString::fromUtf8(text.mid(nameStart, close - nameStart)).trimmed();
        auto group = pictureGroup(name);
        if (!group) return Status::error(where.toStdString() + ": " + group.message());
        out += text.mid(from, open - from);
        out += *group;
        from = close + qsizetype(sizeof(kClose) - 1);
    }
    out += text.mid(from);
    return out;
}

}  // namespace zentrix::demo
