// Embedded pictures: each kind decodes to the right pixels and takes the size
// the document gives it; what cannot be drawn shows as a framed placeholder.

#include "ui/rich_text/rtf_picture.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <vector>

#include "ui/rich_text/rich_text_document.h"
#include "ui/rich_text/rtf_reader.h"

namespace zentrix::ui {
namespace {

// 2 by 1 pixels: red, blue.
const QByteArray kPng =
    "89504e470d0a1a0a0000000d49484452000000020000000108020000007b40e8dd0000000d49444154789c63382107"
    "0427000723"
    "0209e45888390000000049454e44ae426082";
// 2 by 2 pixels, 24 bits, bottom row first: top red, green; bottom blue, white.
const QByteArray kDib =
    "280000000200000002000000010018000000000010000000130b0000130b00000000000000000000ff0000ffffff00"
    "000000ff00ff000000";

std::vector<QTextImageFormat> images(QTextDocument& document) {
    std::vector<QTextImageFormat> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) found.push_back(format.toImageFormat());
        }
    }
    return found;
}

QImage resourceOf(QTextDocument& document, const QTextImageFormat& format) {
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

TEST(RtfPictureTest, EachKindOfPictureDecodesAndTakesItsSize) {
    const struct {
        const char* what;
        QByteArray group;
        QSize size;
        bool decoded;
        QRgb topLeft;
    } cases[] = {
        {"png at its own size", "\\pngblip " + kPng, {2, 1}, true, qRgb(200, 30, 30)},
        {"png at the goal size",
         "\\pngblip\\picwgoal1500\\pichgoal750 " + kPng,
         {100, 50},
         true,
         qRgb(200, 30, 30)},
        {"png scaled",
         "\\pngblip\\picwgoal1500\\pichgoal750\\picscalex50\\picscaley200 " + kPng,
         {50, 100},
         true,
         qRgb(200, 30, 30)},
        {"device-independent bitmap",
         "\\dibitmap0\\picw2\\pich2 " + kDib,
         {2, 2},
         true,
         qRgb(255, 0, 0)},
        {"device-dependent bitmap, 1 bit",
         "\\wbitmap0\\picw8\\pich2\\wbmbitspixel1\\wbmwidthbytes2 7f00ff00",
         {8, 2},
         true,
         qRgb(0, 0, 0)},
        {"device-dependent bitmap, 24 bits",
         "\\wbitmap0\\picw1\\pich1\\wbmbitspixel24\\wbmwidthbytes4 0000ff00",
         {1, 1},
         true,
         qRgb(255, 0, 0)},
        {"device-dependent bitmap, data too short",
         "\\wbitmap0\\picw100\\pich100\\wbmbitspixel24 00",
         {100, 100},
         false,
         0},
        {"windows metafile at its extent",
         "\\wmetafile8\\picw2540\\pich1270 010009000003",
         {96, 48},
         false,
         0},
        {"enhanced metafile at its goal",
         "\\emfblip\\picw1\\pich1\\picwgoal1440\\pichgoal720 01000000",
         {96, 48},
         false,
         0},
        {"png that does not decode",
         "\\pngblip\\picwgoal300\\pichgoal300 89504e470d0a1a0aff",
         {20, 20},
         false,
         0},
        {"no data and no size", "\\pngblip", {96, 96}, false, 0},
        {"absurd goal size",
         "\\emfblip\\picwgoal2000000000\\pichgoal2000000000 00",
         {RtfPicture::kMaxDisplayExtent, RtfPicture::kMaxDisplayExtent},
         false,
         0},
        {"binary data",
         QByteArray("\\pngblip\\bin") + QByteArray::number(kPng.size() / 2) + " " +
             QByteArray::fromHex(kPng),
         {2, 1},
         true,
         qRgb(200, 30, 30)},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        const RtfReadSummary summary = setStudyText(document, "{\\rtf1 {\\pict" + c.group + "}}");
        const auto found = images(document);
        ASSERT_EQ(found.size(), 1u) << c.what;
        EXPECT_EQ(QSize(qRound(found[0].width()), qRound(found[0].height())), c.size) << c.what;
        EXPECT_EQ(summary.pictures, 1) << c.what;
        EXPECT_EQ(summary.picturesNotDecoded, c.decoded ? 0 : 1) << c.what;
        const QImage image = resourceOf(document, found[0]);
        ASSERT_FALSE(image.isNull()) << c.what;
        if (c.decoded) {
            EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, c.topLeft & 0xFFFFFF) << c.what;
        }
    }
}

TEST(RtfPictureTest, WordsMetafileFallbackIsNotShownBesideItsPicture) {
    QTextDocument document;
    const RtfReadSummary summary =
        setStudyText(document, "{\\rtf1 {\\*\\shppict{\\pict\\pngblip " + kPng +
                                   "}}{\\nonshppict{\\pict\\wmetafile8 0100}}x}");
    EXPECT_EQ(summary.pictures, 1);
    EXPECT_EQ(summary.picturesNotDecoded, 0);
    EXPECT_EQ(document.toPlainText(), QString(QChar::ObjectReplacementCharacter) + "x");
}

TEST(RtfPictureTest, PicturesPastThePixelBudgetShowAsPlaceholders) {
    // A 3000 x 3000 bitmap is 9 million pixels; the budget holds five of them.
    QByteArray group =
        "{\\pict\\wbitmap0\\picw3000\\pich3000\\wbmbitspixel1\\wbmwidthbytes375\\bin1125000 " +
        QByteArray(1125000, '\0') + "}";
    QByteArray text = "{\\rtf1 ";
    for (int i = 0; i < 7; ++i) text += group;
    text += "}";
    QTextDocument document;
    const RtfReadSummary summary = setStudyText(document, text);
    EXPECT_EQ(summary.pictures, 7);
    EXPECT_EQ(summary.picturesNotDecoded, 2);
}

TEST(RtfPictureTest, ManyPlaceholdersOfManySizesStayWithinTheBudget) {
    // Each metafile asks for a placeholder of its own size; drawing them all
    // at 640 x 640 would take gigabytes.
    QByteArray text = "{\\rtf1 ";
    for (int i = 0; i < 2000; ++i)
        text += "{\\pict\\emfblip\\picwgoal" + QByteArray::number(9600 + i) + "\\pichgoal9600}";
    text += "{\\v {\\pict\\pngblip " + kPng + "}}}";
    QTextDocument document;
    const RtfReadSummary summary = setStudyText(document, text);
    EXPECT_EQ(summary.pictures, 2000) << "the hidden picture is not placed";
    QSet<QString> names;
    qint64 distinct = 0;
    for (const QTextImageFormat& format : images(document)) {
        EXPECT_GT(format.width(), 600) << "shown at its own size whatever it was drawn at";
        const QImage image = resourceOf(document, format);
        ASSERT_FALSE(image.isNull()) << format.name().toStdString();
        if (names.contains(format.name())) continue;
        names.insert(format.name());
        distinct += qint64(image.width()) * image.height();
    }
    EXPECT_LE(distinct, RtfReader::kPixelBudget + 640 * 640);
}

TEST(RtfPictureTest, PicturesAndTablesShrinkToANarrowPageAndGrowBack) {
    QTextDocument document;
    setStudyText(document, "{\\rtf1 {\\pict\\pngblip\\picwgoal6000\\pichgoal3000 " + kPng +
                               "}\\par\\trowd\\cellx3000\\cellx9000 a\\cell b\\cell\\row}");
    const auto shown = [&] {
        const QTextImageFormat image = images(document).at(0);
        return QSizeF(image.width(), image.height());
    };
    QTextTable* table = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        table = qobject_cast<QTextTable*>(frame);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(shown(), QSizeF(400, 200));
    fitStudyTextToWidth(document, 300);
    EXPECT_EQ(shown(), QSizeF(300, 150));
    EXPECT_EQ(table->format().width(), QTextLength(QTextLength::PercentageLength, 100));
    fitStudyTextToWidth(document, 1000);
    EXPECT_EQ(shown(), QSizeF(400, 200));
    EXPECT_EQ(table->format().width(), QTextLength(QTextLength::FixedLength, 600));
}

}  // namespace
}  // namespace zentrix::ui
