// Saved reports: pages come back exactly as saved, and a file that is not a
// saved report, comes from a newer version or is damaged opens nothing and
// says why.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <bit>
#include <cmath>

#include "report_test_support.h"
#include "ui/report/fuzz/fuzz_input.h"
#include "ui/report/fuzz/fuzz_report_definition.h"
#include "ui/report/page_painter.h"
#include "ui/report/qrp_file.h"
#include "ui/report/qrp_format.h"
#include "ui/report/report_paginator.h"

namespace zentrix::report::testing {
namespace {

void PutU32(QByteArray& bytes, int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Gives edited bytes a matching length and checksum, so that the reader's
// record checks are what refuses them.
QByteArray Reseal(QByteArray bytes) {
    const QByteArray payload = bytes.mid(qrp::kHeaderSize);
    PutU32(bytes, 12, static_cast<uint32_t>(payload.size()));
    PutU32(bytes, 16,
           static_cast<uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(payload.constData()),
                                       static_cast<uInt>(payload.size()))));
    return bytes;
}

QByteArray Record(qrp::Record kind, const QByteArray& body) {
    QByteArray r(1, static_cast<char>(kind));
    r.append(4, '\0');
    PutU32(r, 1, static_cast<uint32_t>(body.size()));
    return r + body;
}

QByteArray F64(double v) {
    QByteArray b(8, '\0');
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    for (int i = 0; i < 8; ++i) b[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return b;
}

QByteArray U32(uint32_t v) {
    QByteArray b(4, '\0');
    PutU32(b, 0, v);
    return b;
}

// A file of one empty page followed by `records`, announcing `pages` pages.
QByteArray FileWith(const QByteArray& records, uint32_t pages = 1) {
    RenderedReport empty;
    empty.pages.push_back(RenderedPage{QSizeF(300, 400), {}});
    QByteArray bytes = EncodeReport(empty) + records;
    PutU32(bytes, 20, pages);
    return Reseal(bytes);
}

TEST(SavedReportTest, SavedPagesReopenPixelForPixel) {
    const RenderedReport report = EveryCommandReport();
    const QString path = ScratchPath(QStringLiteral("round-trip.qrp"));
    ASSERT_TRUE(SaveReport(report, path).isOk());
    auto loaded = LoadReport(path);
    ASSERT_TRUE(loaded.isOk()) << loaded.message();
    EXPECT_EQ(loaded->title, report.title);
    EXPECT_EQ(loaded->fonts, report.fonts);
    ASSERT_EQ(loaded->pages.size(), report.pages.size());
    for (int p = 0; p < static_cast<int>(report.pages.size()); ++p) {
        EXPECT_EQ(loaded->pages[p].commands.size(), report.pages[p].commands.size());
        EXPECT_EQ(RenderPageImage(*loaded, p, 96), RenderPageImage(report, p, 96))
            << "page " << p + 1;
    }
}

TEST(SavedReportTest, HugePictureIsKeptAtPrintResolutionAndItsReportReopens) {
    QImage photo(5000, 4000, QImage::Format_RGB32);  // 20 million pixels
    photo.fill(QColor(40, 90, 160));
    Band band;
    band.addRow({Cell{0, 0, Picture{photo, QSizeF(200, 160)}}});
    const RenderedReport report = Paginate(WithDetails({band}));
    const ImageCommand* kept = nullptr;
    for (const PageCommand& c : report.pages[0].commands) {
        if (const auto* image = std::get_if<ImageCommand>(&c)) kept = image;
    }
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->image.size(), QSize(833, 667)) << "300 dpi of 200 by 160 points";
    auto reopened = DecodeReport(EncodeReport(report), QStringLiteral("photo.qrp"));
    ASSERT_TRUE(reopened.isOk()) << reopened.message();
    EXPECT_EQ(RenderPageImage(*reopened, 0, 72), RenderPageImage(report, 0, 72));
}

TEST(SavedReportTest, EveryReportTheEngineMakesReopens) {
    Band emptyFramed;
    emptyFramed.frame = true;
    emptyFramed.framePadding = 0;
    Band shaded;
    shaded.background = QColor(240, 240, 240);
    Band outsized;  // font sizes no report should ask for
    TextField huge = TextField::plain(QStringLiteral("huge"));
    huge.font.pointSize = 464.51;
    TextRun tiny;
    tiny.text = QStringLiteral(" tiny");
    tiny.pointSize = -3;
    huge.runs.push_back(tiny);
    outsized.addText(huge);
    RenderedReport odd = Paginate(WithDetails({emptyFramed, shaded, Band{}, outsized}));
    odd.pages[0].commands.push_back(
        RectCommand{QRectF(50, 50, -10, -5), 1, Qt::black, Qt::transparent});
    auto reopened = DecodeReport(EncodeReport(odd), QStringLiteral("odd.qrp"));
    ASSERT_TRUE(reopened.isOk()) << reopened.message();
    EXPECT_EQ(RenderPageImage(*reopened, 0, 72), RenderPageImage(odd, 0, 72));
}

TEST(SavedReportTest, PaginatedReportSurvivesSavingTwiceUnchanged) {
    std::vector<Band> bands(20, LinesBand(QStringLiteral("row"), 4));
    const RenderedReport report = Paginate(WithDetails(bands));
    const QByteArray once = EncodeReport(report);
    auto decoded = DecodeReport(once, QStringLiteral("x.qrp"));
    ASSERT_TRUE(decoded.isOk()) << decoded.message();
    EXPECT_EQ(EncodeReport(*decoded), once);
}

TEST(SavedReportTest, ForeignDamagedAndNewerFilesAreRefusedWithTheirFault) {
    const QByteArray good = EncodeReport(EveryCommandReport());
    QByteArray newer = good;
    newer[8] = 2;
    QByteArray flipped = good;
    flipped[good.size() - 3] = static_cast<char>(flipped[good.size() - 3] ^ 0x20);
    QByteArray miscounted = good;
    PutU32(miscounted, 20, 3);

    const QByteArray page = Record(qrp::Record::Page, F64(300) + F64(400));
    const QByteArray text = F64(10) + F64(10);
    const struct {
        const char* what;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"empty file", QByteArray(), "is not a Zentrix report"},
        {"a text file", QByteArray("Question 1: What is a hub?\r\n"), "is not a Zentrix report"},
        {"a PDF", QByteArray("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"), "is not a Zentrix report"},
        {"header cut short", good.left(14), "ends inside its header"},
        {"payload cut short", good.left(good.size() - 10), "was cut short or added to"},
        {"bytes added at the end", good + QByteArray("junk"), "was cut short or added to"},
        {"a flipped bit", flipped, "do not match their checksum"},
        {"a newer format", newer, "newer version of Zentrix (report format 2)"},
        {"wrong page count", Reseal(miscounted), "announces 3 pages but holds 2"},
        {"unknown record", FileWith(Record(static_cast<qrp::Record>(42), QByteArray())),
         "unknown kind (42)"},
        {"record longer than the file", FileWith(QByteArray("\x04\xff\xff\xff\x0f", 5)),
         "runs past the end"},
        {"text with a missing font",
         FileWith(Record(qrp::Record::Text, text + U32(5) + U32(0) + U32(0))), "uses font 5 of 0"},
        {"text before any page",
         Reseal(EncodeReport(RenderedReport{}) +
                Record(qrp::Record::Text, text + U32(0) + U32(0) + U32(0))),
         "comes before the first page"},
        {"coordinate not a number",
         FileWith(Record(qrp::Record::Line,
                         F64(std::nan("")) + F64(0) + F64(1) + F64(1) + F64(1) + U32(0))),
         "lies off any page"},
        {"page of zero size", FileWith(Record(qrp::Record::Page, F64(0) + F64(400)), 2),
         "impossible size"},
        {"font of no size",
         FileWith(Record(qrp::Record::Font, F64(0) + QByteArray(1, '\0') + U32(0))),
         "size of 0 points"},
        {"string longer than its record", FileWith(Record(qrp::Record::Title, U32(1000))),
         "is cut short"},
        {"picture claiming a huge size",
         FileWith(Record(qrp::Record::Image,
                         F64(0) + F64(0) + F64(10) + F64(10) + U32(100000) + U32(100000))),
         "claims 100000 by 100000"},
        {"picture with damaged pixels",
         FileWith(Record(qrp::Record::Image, F64(0) + F64(0) + F64(10) + F64(10) + U32(2) + U32(2) +
                                                 QByteArray("xxxx"))),
         "damaged pixels"},
        {"a report without pages", Reseal(EncodeReport(RenderedReport{})), "holds no pages"},
        {"page records after the limit", FileWith(page, 1), "announces 1 pages but holds 2"},
    };
    for (const auto& c : cases) {
        auto decoded = DecodeReport(c.bytes, QStringLiteral("study.qrp"));
        ASSERT_FALSE(decoded.isOk()) << c.what << " was accepted";
        EXPECT_NE(decoded.message().find("\"study.qrp\""), std::string::npos)
            << c.what << ": " << decoded.message();
        EXPECT_NE(decoded.message().find(c.message), std::string::npos)
            << c.what << ": " << decoded.message();
    }
}

TEST(SavedReportTest, MissingFileAndUnwritableFolderAreReported) {
    auto missing = LoadReport(ScratchPath(QStringLiteral("no-such-report.qrp")));
    ASSERT_FALSE(missing.isOk());
    EXPECT_NE(missing.message().find("\"no-such-report.qrp\" could not be opened"),
              std::string::npos)
        << missing.message();

    const base::Status saved =
        SaveReport(EveryCommandReport(), ScratchPath(QStringLiteral("no-such-folder/x.qrp")));
    ASSERT_FALSE(saved.isOk());
    EXPECT_NE(saved.message().find("\"x.qrp\" could not be written"), std::string::npos)
        << saved.message();
}

// Reports the round-trip fuzzer built that once saved to files the reader
// refused; each must now save and read back.
TEST(SavedReportTest, ReportsTheRoundTripFuzzerBuiltSaveAndReadBack) {
    const QDir folder(QStringLiteral(ZENTRIX_REPORT_FIXTURES "/round-trip"));
    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << folder.path().toStdString();
    for (const QString& name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray input = file.readAll();
        const auto bytes = std::make_shared<fuzz::FuzzBytes>(
            reinterpret_cast<const uint8_t*>(input.constData()), static_cast<size_t>(input.size()));
        const RenderedReport report = Paginate(fuzz::DefinitionOfFuzzBytes(bytes));
        auto reopened = DecodeReport(EncodeReport(report), name);
        EXPECT_TRUE(reopened.isOk()) << name.toStdString() << ": " << reopened.message();
    }
}

// Inputs the fuzzer kept (its crashes would be kept here too), each read as
// the fuzzer reads it.
TEST(SavedReportTest, InputsKeptFromFuzzingAreRefusedOrReadSafely) {
    const QDir folder(QStringLiteral(ZENTRIX_REPORT_FIXTURES "/fuzz"));
    ASSERT_TRUE(folder.exists()) << folder.path().toStdString();
    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        auto decoded = DecodeReport(fuzz::FileOfFuzzInput(file.readAll()), name);
        if (decoded.isOk()) {
            for (int p = 0; p < static_cast<int>(decoded->pages.size()); ++p)
                EXPECT_FALSE(RenderPageImage(*decoded, p, 12).isNull());
        } else {
            EXPECT_NE(decoded.message().find(name.toStdString()), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace zentrix::report::testing
