// The exhibit window: fitting to the screen, the picture kinds, closing.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QLabel>
#include <QMovie>
#include <QScrollArea>
#include <QStyle>
#include <QTest>

#include "engine/aids/texibit_form.h"
#include "simulation/gif_encoder.h"

namespace zentrix::engine::aids {
namespace {

QByteArray picture(QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray gif(QSize size, int frames) {
    std::vector<simulation::IndexedFrame> list;
    for (int i = 0; i < frames; ++i) {
        simulation::IndexedFrame frame;
        frame.rect = QRect(QPoint(0, 0), size);
        frame.palette = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
        frame.indices = QByteArray(size.width() * size.height(), char(i % 2));
        list.push_back(frame);
    }
    return simulation::GifEncoder::encode(size, list).value();
}

TEST(ExhibitTest, ThePictureFitsTheScreenWithScrollBarsWhereItIsLarger) {
    TExibitForm exhibit;
    const int bar = exhibit.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &exhibit);
    const struct {
        const char* what;
        QSize picture;
        QSize screen;
        QSize client;
        bool vertical;
        bool horizontal;
    } cases[] = {
        {"smaller than the screen", {400, 300}, {1024, 768}, {400, 300}, false, false},
        {"taller than the screen", {400, 1000}, {1024, 768}, {400 + bar, 768 - 30}, true, false},
        {"wider than the screen", {1500, 300}, {1024, 768}, {1024, 300 + bar}, false, true},
        {"larger both ways", {2000, 2000}, {1024, 768}, {1024, 738}, true, true},
        {"exactly the screen", {1024, 768}, {1024, 768}, {1024, 768}, false, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(exhibit.LoadPictureData(picture(c.picture, "png"))) << c.what;
        exhibit.FitToScreen(c.screen);
        EXPECT_EQ(exhibit.size(), c.client) << c.what;
        EXPECT_EQ(exhibit.scrollArea()->verticalScrollBarPolicy(),
                  c.vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff)
            << c.what;
        EXPECT_EQ(exhibit.scrollArea()->horizontalScrollBarPolicy(),
                  c.horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff)
            << c.what;
        EXPECT_EQ(exhibit.GIFImage1()->size(), c.picture) << c.what;
    }
}

TEST(ExhibitTest, GifJpegAndPngLoadAndOnlyAnAnimatedGifPlays) {
    const struct {
        const char* what;
        QByteArray bytes;
        bool loads;
        bool animated;
    } cases[] = {
        {"png", picture({30, 20}, "png"), true, false},
        {"jpeg", picture({30, 20}, "jpeg"), true, false},
        {"gif of one frame", gif({30, 20}, 1), true, false},
        {"gif of three frames", gif({30, 20}, 3), true, true},
        {"not a picture", QByteArray("GIF89a but not really"), false, false},
        {"nothing", QByteArray(), false, false},
    };
    for (const auto& c : cases) {
        TExibitForm exhibit;
        EXPECT_EQ(exhibit.LoadPictureData(c.bytes), c.loads) << c.what;
        EXPECT_EQ(exhibit.IsAnimated(), c.animated) << c.what;
        if (c.loads) {
            EXPECT_EQ(exhibit.PictureSize(), QSize(30, 20)) << c.what;
        }
        if (!c.animated) continue;
        QMovie& movie = *exhibit.GIFImage1()->movie();
        EXPECT_EQ(movie.state(), QMovie::NotRunning) << "no frames while the window is closed";
        exhibit.show();
        EXPECT_EQ(movie.state(), QMovie::Running) << c.what;
        exhibit.hide();
        EXPECT_EQ(movie.state(), QMovie::Paused) << c.what;
        exhibit.show();
        EXPECT_EQ(movie.state(), QMovie::Running) << "plays on where it stopped";
    }
}

TEST(ExhibitTest, AClickOnThePictureOrEscapeClosesTheWindow) {
    TExibitForm exhibit;
    EXPECT_EQ(exhibit.windowTitle(), QStringLiteral("Exhibit - Click on graphic to close window."));
    ASSERT_TRUE(exhibit.LoadPictureData(picture({200, 100}, "png")));
    exhibit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&exhibit));
    QTest::mouseClick(exhibit.GIFImage1(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(exhibit.isVisible());
    EXPECT_EQ(exhibit.result(), QDialog::Accepted);
    exhibit.show();
    QTest::keyClick(&exhibit, Qt::Key_Escape);
    EXPECT_FALSE(exhibit.isVisible());
}

}  // namespace
}  // namespace zentrix::engine::aids
