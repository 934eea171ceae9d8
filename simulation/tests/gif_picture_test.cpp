#include "simulation/gif_picture.h"

#include <gtest/gtest.h>

#include <QColor>

#include "simulation/gif_decoder.h"
#include "simulation/gif_encoder.h"
#include "simulation/screenshot_encoder.h"

namespace zentrix::simulation {
namespace {

// Colours of the little pictures below: palette index -> colour.
const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255),
           kWhite = qRgb(255, 255, 255);
const QRgb kClear = qRgba(0, 0, 0, 0);
const QList<QRgb> kPalette = {kRed, kGreen, kBlue, kWhite};

// A frame of one palette index everywhere.
IndexedFrame solid(QRect rect, char index, int disposal = 1, int transparent = -1,
                   QList<QRgb> palette = kPalette) {
    return IndexedFrame{rect,     palette,     QByteArray(rect.width() * rect.height(), index),
                        disposal, transparent, false};
}

// The composed picture as rows of letters: r g b w, '.' for transparent.
std::vector<std::string> rows(const QImage& image) {
    std::vector<std::string> out;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            row += qAlpha(p) == 0 ? '.'
                   : p == kRed    ? 'r'
                   : p == kGreen  ? 'g'
                   : p == kBlue   ? 'b'
                   : p == kWhite  ? 'w'
                                  : '?';
        }
        out.push_back(row);
    }
    return out;
}

struct CompositionCase {
    const char* name;
    std::vector<IndexedFrame> frames;
    int show;
    std::vector<std::string> expected;  // 4x3 picture
};

class GifComposition : public ::testing::TestWithParam<CompositionCase> {};

TEST_P(GifComposition, ShowsFramesAsBrowsersCompose) {
    const auto& c = GetParam();
    auto gif = GifEncoder::encode(QSize(4, 3), c.frames);
    ASSERT_TRUE(gif.isOk()) << gif.message();
    GifPicture picture;
    ASSERT_TRUE(picture.loadFromMemory(*gif).isOk());
    ASSERT_EQ(picture.frameCount(), static_cast<int>(c.frames.size()));
    ASSERT_TRUE(picture.showFrame(c.show));
    EXPECT_EQ(rows(picture.image()), c.expected);
    // Going back to the start and forward again gives the same picture.
    picture.showFrame(1);
    picture.showFrame(c.show);
    EXPECT_EQ(rows(picture.image()), c.expected);
}

const CompositionCase kCompositionCases[] = {
    {"first frame leaves the rest of the screen transparent",
     {solid({1, 1, 2, 1}, 0)},
     1,
     {"....", ".rr.", "...."}},
    {"kept frame stays under the next",
     {solid({0, 0, 4, 3}, 3), solid({1, 1, 2, 2}, 0)},
     2,
     {"wwww", "wrrw", "wrrw"}},
    {"cleared frame becomes transparent before the next",
     {solid({0, 0, 4, 3}, 3), solid({1, 0, 2, 2}, 0, 2), solid({3, 2, 1, 1}, 2)},
     3,
     {"w..w", "w..w", "wwwb"}},
    {"frame restoring previous leaves what was before it",
     {solid({0, 0, 4, 3}, 3), solid({0, 0, 2, 2}, 1), solid({1, 1, 3, 2}, 0, 3),
      solid({3, 0, 1, 1}, 2)},
     4,
     {"ggwb", "ggww", "wwww"}},
    {"restoring frame is itself shown",
     {solid({0, 0, 4, 3}, 3), solid({1, 1, 3, 2}, 0, 3)},
     2,
     {"wwww", "wrrr", "wrrr"}},
    {"first frame restoring previous leaves transparency",
     {solid({0, 0, 2, 3}, 2, 3), solid({3, 0, 1, 1}, 1)},
     2,
     {"...g", "....", "...."}},
    {"transparent pixels show what is under them",
     {solid({0, 0, 4, 3}, 3),
      IndexedFrame{{0, 0, 4, 1}, kPalette, QByteArray("\1\2\1\2", 4), 1, 2, false}},
     2,
     {"gwgw", "wwww", "wwww"}},
    {"frame partly off the screen is clipped",
     {solid({0, 0, 4, 3}, 3), solid({2, 1, 5, 5}, 2)},
     2,
     {"wwww", "wwbb", "wwbb"}},
    {"index beyond a short palette is opaque black",
     {solid({0, 0, 4, 3}, 3), solid({0, 0, 1, 1}, 3, 1, -1, QList<QRgb>{kRed, kGreen})},
     2,
     {"?www", "wwww", "wwww"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, GifComposition, ::testing::ValuesIn(kCompositionCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(GifPicture, FrameWithoutLocalColoursUsesTheGlobalTable) {
    IndexedFrame frame = solid({0, 0, 4, 3}, 1);
    frame.palette.clear();
    auto gif = GifEncoder::encode(QSize(4, 3), {frame}, QList<QRgb>{kBlue, kRed});
    ASSERT_TRUE(gif.isOk()) << gif.message();
    GifPicture picture;
    ASSERT_TRUE(picture.loadFromMemory(*gif).isOk());
    picture.showFrame(1);
    EXPECT_EQ(picture.image().pixel(2, 2), kRed);
}

TEST(GifPicture, InterlacedFrameIsShownInRowOrder) {
    constexpr int kHeight = 11;  // touches all four interlace passes
    QByteArray indices;
    for (int y = 0; y < kHeight; ++y) indices.append(QByteArray(2, static_cast<char>(y % 4)));
    auto gif = GifEncoder::encode(
        QSize(2, kHeight), {IndexedFrame{{0, 0, 2, kHeight}, kPalette, indices, 1, -1, true}});
    ASSERT_TRUE(gif.isOk()) << gif.message();
    GifPicture picture;
    ASSERT_TRUE(picture.loadFromMemory(*gif).isOk());
    picture.showFrame(1);
    for (int y = 0; y < kHeight; ++y) EXPECT_EQ(picture.image().pixel(1, y), kPalette[y % 4]) << y;
}

TEST(GifPicture, FrameWithDamagedDataIsDrawnAsNothing) {
    auto gif = GifEncoder::encode(QSize(4, 3), {solid({0, 0, 4, 3}, 3), solid({0, 0, 2, 2}, 0)});
    ASSERT_TRUE(gif.isOk());
    const auto layout = GifDecoder::scan(*gif);
    ASSERT_TRUE(layout.isOk());
    // Image 2: descriptor (10), its colour table (4 colours), code size, then the data.
    const qsizetype data = layout->images[1].start + 10 + 12 + 1;
    QByteArray damaged = *gif;
    ASSERT_GE(static_cast<unsigned char>(damaged[data]), 2);
    for (int i = 1; i <= static_cast<unsigned char>(damaged[data]); ++i) damaged[data + i] = '\xff';
    GifPicture picture;
    ASSERT_TRUE(picture.loadFromMemory(damaged).isOk());
    ASSERT_TRUE(picture.showFrame(2));
    EXPECT_EQ(rows(picture.image()), (std::vector<std::string>{"wwww", "wwww", "wwww"}));
}

TEST(GifPicture, OutOfRangeFramesAreRefusedAndLoadFailureLeavesItEmpty) {
    GifPicture picture;
    ASSERT_TRUE(
        picture.loadFromMemory(GifEncoder::encode(QSize(4, 3), {solid({0, 0, 4, 3}, 0)}).value())
            .isOk());
    EXPECT_FALSE(picture.showFrame(0));
    EXPECT_FALSE(picture.showFrame(2));
    EXPECT_TRUE(picture.showFrame(1));
    EXPECT_FALSE(picture.loadFromMemory(QByteArray("GIF89a\xff\xff\xff\xff\0\0\0", 13)).isOk());
    EXPECT_EQ(picture.frameCount(), 0);
    EXPECT_EQ(picture.currentFrame(), 0);
}

// Forty small frames with every disposal, so that kept composed frames fall
// on frames that clear or restore what lies under them.
std::vector<IndexedFrame> mixedDisposalFrames() {
    std::vector<IndexedFrame> frames{solid({0, 0, 4, 3}, 3)};
    for (int i = 1; i < 40; ++i) {
        const QRect rect(i % 4, (i / 4) % 3, 1 + i % 2, 1 + (i / 3) % 2);
        frames.push_back(solid(rect, static_cast<char>(i % 3), 1 + i % 3));
    }
    return frames;
}

TEST(GifPicture, GoingBackFromKeptFramesComposesAsFromTheFirstFrame) {
    const QByteArray gif = GifEncoder::encode(QSize(4, 3), mixedDisposalFrames()).value();
    GifPicture picture;
    ASSERT_TRUE(picture.loadFromMemory(gif).isOk());
    ASSERT_TRUE(picture.showFrame(40));
    for (int n = 39; n >= 1; --n) {
        GifPicture fresh;
        ASSERT_TRUE(fresh.loadFromMemory(gif).isOk());
        fresh.showFrame(n);
        picture.showFrame(40);
        ASSERT_TRUE(picture.showFrame(n));
        EXPECT_EQ(rows(picture.image()), rows(fresh.image())) << "back from 40 to " << n;
        EXPECT_LE(picture.framesDrawnLastTime(), GifPicture::kKeyFrameStep) << n;
    }
    // Before the first kept frame, going back starts at frame 1.
    picture.showFrame(5);
    picture.showFrame(3);
    EXPECT_EQ(picture.framesDrawnLastTime(), 3);
    picture.showFrame(4);
    EXPECT_EQ(picture.framesDrawnLastTime(), 1);
}

QImage gradient(int seed, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, qRgb((x * 7 + seed) & 255, (y * 11 + seed * 3) & 255, (x * y + seed) & 255));
    return image;
}

TEST(ScreenshotEncoder, FewColoursComeBackExactlyAndManyColoursComeBackClose) {
    QImage plain(40, 20, QImage::Format_RGB32);
    plain.fill(kWhite);
    QImage dialog = plain;
    for (int x = 5; x < 30; ++x) dialog.setPixel(x, 10, kBlue);
    const QImage rich = gradient(5, 40, 20);  // far more than 256 colours
    const QList<QImage> shots = {plain, dialog, dialog, rich, plain};
    auto gif = ScreenshotEncoder::encode(shots);
    ASSERT_TRUE(gif.isOk()) << gif.message();
    EXPECT_EQ(*gif, ScreenshotEncoder::encode(shots).value());  // deterministic

    GifPicture picture;
    ASSERT_TRUE(picture.loadFromMemory(*gif).isOk());
    ASSERT_EQ(picture.frameCount(), 5);
    for (int n : {1, 2, 3, 5}) {
        picture.showFrame(n);
        EXPECT_EQ(picture.image().convertToFormat(QImage::Format_RGB32), shots[n - 1]) << n;
    }
    picture.showFrame(4);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QRgb a = picture.image().pixel(x, y), b = rich.pixel(x, y);
            ASSERT_LE(std::abs(qRed(a) - qRed(b)), 19);
            ASSERT_LE(std::abs(qGreen(a) - qGreen(b)), 19);
            ASSERT_LE(std::abs(qBlue(a) - qBlue(b)), 43);
        }
    }
}

TEST(ScreenshotEncoder, ScreenshotsOfDifferentSizesAreRefused) {
    auto gif = ScreenshotEncoder::encode({gradient(1, 10, 10), gradient(1, 11, 10)});
    ASSERT_FALSE(gif.isOk());
    EXPECT_NE(gif.message().find("screenshot 2 is 11x10"), std::string::npos);
}

}  // namespace
}  // namespace zentrix::simulation
