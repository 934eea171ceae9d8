// The feedback picture: size, place over the main window, and the ways it
// closes (the timer, a click), with the timer fired by the test.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QLabel>
#include <QTest>

#include "engine/aids/tinfo_form.h"
#include "engine/recording_dialog_service.h"

namespace zentrix::engine::aids {
namespace {

QByteArray png(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

struct InfoFormFixture : ::testing::Test {
    RecordingDialogService dialogs;
    ManualCloseTimer* timer = new ManualCloseTimer;
    TInfoForm form{dialogs, nullptr, std::unique_ptr<CloseTimer>(timer)};
};

TEST_F(InfoFormFixture, TheTimerClosesThePictureAfterTwoSeconds) {
    bool closedByTimer = false;
    dialogs.answerNextDialog([&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &form);
        EXPECT_TRUE(timer->IsActive());
        EXPECT_EQ(timer->Interval(), 2000);
        dialog.show();
        timer->Fire();
        closedByTimer = !dialog.isVisible() && !timer->IsActive();
        return dialog.result();
    });
    ASSERT_TRUE(form.ShowImage(png({120, 80}), QRect(0, 0, 640, 480)));
    EXPECT_TRUE(closedByTimer);
    EXPECT_EQ(dialogs.count(RecordingDialogService::Event::Dialog), 1);
}

TEST_F(InfoFormFixture, AClickClosesThePictureAndStopsTheTimer) {
    dialogs.answerNextDialog([&](QDialog& dialog) {
        dialog.show();
        QTest::mouseClick(form.GIFImage1(), Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(timer->IsActive());
        return dialog.result();
    });
    ASSERT_TRUE(form.ShowImage(png({120, 80}), QRect(0, 0, 640, 480)));
}

TEST_F(InfoFormFixture, ThePictureIsCentredOverTheMainWindowWithOffsetsHalvedTowardZero) {
    const struct {
        QSize picture;
        QRect main;
        QPoint at;
    } cases[] = {
        {{120, 80}, {100, 50, 640, 480}, {100 + 260, 50 + 200}},
        {{121, 81}, {0, 0, 640, 480}, {259, 199}},  // 519 / 2 and 399 / 2
        {{645, 487}, {10, 10, 640, 480}, {8, 7}},   // -5 / 2 = -2, -7 / 2 = -3
    };
    for (const auto& c : cases) {
        dialogs.answerNextDialog([&](QDialog& dialog) {
            EXPECT_EQ(dialog.size(), c.picture);
            EXPECT_EQ(dialog.pos(), c.at);
            return 0;
        });
        ASSERT_TRUE(form.ShowImage(png(c.picture), c.main));
    }
}

TEST_F(InfoFormFixture, AStreamWithoutAPictureShowsNothing) {
    EXPECT_FALSE(form.ShowImage(QByteArray(), QRect(0, 0, 640, 480)));
    EXPECT_FALSE(form.ShowImage("not a picture", QRect(0, 0, 640, 480)));
    EXPECT_EQ(dialogs.count(RecordingDialogService::Event::Dialog), 0);
    EXPECT_FALSE(timer->IsActive());
}

TEST(InfoFormTest, TheRealTimerIsASingleShotOfTwoSeconds) {
    QtCloseTimer timer;
    int fired = 0;
    timer.Start(TInfoForm::kCloseAfterMs, [&] { ++fired; });
    EXPECT_TRUE(timer.IsActive());
    timer.Stop();
    EXPECT_FALSE(timer.IsActive());
    timer.Start(1, [&] { ++fired; });
    QTRY_COMPARE_WITH_TIMEOUT(fired, 1, 5000);
    EXPECT_FALSE(timer.IsActive());
}

}  // namespace
}  // namespace zentrix::engine::aids
