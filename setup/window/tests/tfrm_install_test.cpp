#include "setup/window/tfrm_install.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "folder_browser_driver.h"
#include "setup/setup_texts.h"
#include "setup/window/band_gradient.h"
#include "setup/window/folder_browser_dialog.h"
#include "setup/window/recording_setup_dialog_service.h"
#include "setup/window/status_panel.h"
#include "setup/window/tbz_browse_dirs.h"
#include "setup_fixture.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;
using Event = RecordingSetupDialogs::Event;

class TfrmInstallTest : public SetupFixture {
protected:
    std::unique_ptr<TfrmInstall> openWindow(
        std::vector<std::string> arguments = {"zentrix-install"}, SetupLocation* where = nullptr) {
        auto window = std::make_unique<TfrmInstall>(platform(), service, where ? *where : *location,
                                                    std::move(arguments));
        window->resize(1280, 800);
        window->show();
        window->FormActivate();
        return window;
    }
    // Lets posted events (the uninstall, a close) run.
    static void settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    static void save(QWidget& window, const char* name) {
        QDir().mkpath(ZENTRIX_SETUP_SCREENS);
        const QImage picture = window.grab().toImage();
        EXPECT_EQ(picture.size(), QSize(1280, 800));
        EXPECT_TRUE(picture.save(QString(ZENTRIX_SETUP_SCREENS) + "/" + name)) << name;
    }

    RecordingSetupDialogService service;
};

TEST_F(TfrmInstallTest, TheInstallPanelSitsInTheMiddleWithItsControlsWhereTheyBelong) {
    writeProduct();
    auto window = openWindow();
    EXPECT_EQ(window->startupOutcome(), StartupOutcome::InstallPanel);
    EXPECT_EQ(window->windowTitle(), "Zentrix Install");
    EXPECT_EQ(window->Label1()->text(), "Welcome to Brenlo's Zentrix. Version 2.1");
    EXPECT_EQ(window->Label2()->text(), window->Label1()->text());
    EXPECT_EQ(window->Label1()->geometry(), QRect(22, 18, 600, 79));
    EXPECT_EQ(window->Label2()->geometry(), QRect(20, 16, 600, 79));
    EXPECT_EQ(window->Label1()->font().pixelSize(), 27);
    EXPECT_EQ(window->Panel1()->geometry(),
              QRect((1280 - 353 - 8) / 2, (800 - 205 - 27) / 2, 353, 205));
    EXPECT_EQ(window->Label3()->text(), texts::kInstallTo);
    EXPECT_EQ(window->Edit1()->geometry(), QRect(8, 36, 338, 23));
    EXPECT_EQ(window->Edit1()->text().toStdString(), installDir());
    EXPECT_EQ(window->Button2()->geometry(), QRect(53, 69, 247, 25));
    EXPECT_EQ(window->Button1()->geometry(), QRect(53, 106, 247, 39));
    EXPECT_EQ(window->btnExit()->geometry(), QRect(53, 157, 247, 25));
    EXPECT_EQ(window->btnExit()->text(), texts::kCancel);
    for (QWidget* control : std::initializer_list<QWidget*>{window->Edit1(), window->Button2(),
                                                            window->Button1(), window->btnExit()}) {
        EXPECT_TRUE(control->isVisible());
        EXPECT_FALSE(control->accessibleName().isEmpty());
    }
    // The keyboard reaches every control in order.
    window->Edit1()->setFocus();
    QWidget* order[] = {window->Button2(), window->Button1(), window->btnExit()};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    save(*window, "1-install-panel.png");
}

TEST_F(TfrmInstallTest, TypingAFolderAndPressingInstallInstallsThereAndCloses) {
    writeProduct();
    auto window = openWindow();
    const std::string target = paths().programFilesDir + "/Seat 12";
    window->Edit1()->selectAll();
    QTest::keyClicks(window->Edit1(), QString::fromStdString(target + "/"));
    QTest::mouseClick(window->Button1(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(fs::is_regular_file(target + "/bin/zentrix"));
    EXPECT_EQ(service.record.messages(), std::vector<std::string>{texts::kCompleted});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TfrmInstallTest, CancelAndEscapeAskBeforeClosing) {
    writeProduct();
    auto window = openWindow();
    service.record.answerNextQuestion(false);
    QTest::mouseClick(window->btnExit(), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(service.record.texts(Event::Question),
              std::vector<std::string>{texts::kAbortQuestion});
    service.record.answerNextQuestion(true);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(fs::exists(installDir()));
}

TEST_F(TfrmInstallTest, ChangeDirectoryPutsTheChosenFolderIntoTheBoxAndCancelLeavesIt) {
    writeProduct();
    auto window = openWindow();
    const QString chosen = QString::fromStdString(scratch.work("chosen"));
    QDir().mkpath(chosen);
    service.answerNextDialog([&](QDialog& shown) {
        auto& dialog = dynamic_cast<FolderBrowserDialog&>(shown);
        choose(dialog, chosen);
        return pressOk(dialog);
    });
    QTest::mouseClick(window->Button2(), Qt::LeftButton);
    EXPECT_EQ(window->Edit1()->text(), chosen);
    EXPECT_EQ(window->session().screen.installFolder, chosen.toStdString());

    service.answerNextDialog([](QDialog&) { return int(QDialog::Rejected); });
    QTest::mouseClick(window->Button2(), Qt::LeftButton);
    EXPECT_EQ(window->Edit1()->text(), chosen);
    EXPECT_EQ(service.dialogsRun, 2);
}

TEST_F(TfrmInstallTest, StopWaitingTakesThePlaceOfTheExitButtonDuringALongWait) {
    writeProduct();
    auto window = openWindow();
    window->offerStopWaiting(true);
    EXPECT_TRUE(window->btnStopWaiting()->isVisible());
    EXPECT_EQ(window->btnStopWaiting()->text(), texts::kStopWaiting);
    EXPECT_FALSE(window->btnExit()->isVisible());
    EXPECT_TRUE(window->waitStep(std::chrono::milliseconds(1)));
    QTest::mouseClick(window->btnStopWaiting(), Qt::LeftButton);
    EXPECT_FALSE(window->waitStep(std::chrono::milliseconds(1)));
    window->offerStopWaiting(false);
    EXPECT_FALSE(window->btnStopWaiting()->isVisible());
    EXPECT_TRUE(window->btnExit()->isVisible());
}

TEST_F(TfrmInstallTest, ACloseRequestedDuringAFlowWaitsForTheFlowToEnd) {
    writeProduct();
    auto window = openWindow();
    // The setup-only group's wait lets events run: a close posted now must
    // not end the install half way.
    window->postClose();
    QTest::mouseClick(window->Button1(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(anyContains(service.record.messages(), texts::kCompleted));
    EXPECT_TRUE(fs::exists(paths().windowsDir + "/zentrix-uninstall.ini"));
    EXPECT_FALSE(window->isVisible());
}

TEST(BandGradient, TwoHundredFiftySixBandsFromBlueToBlackCoverEveryRow) {
    for (const QSize area : {QSize(1280, 800), QSize(640, 480), QSize(100, 100)}) {
        int next = 0;
        for (int i = 0; i < BandGradient::kBands; ++i) {
            const QRect band = BandGradient::band(i, area);
            EXPECT_EQ(band.top(), i * area.height() / 256);
            if (!band.isEmpty()) {
                EXPECT_EQ(band.top(), next);
                next = band.bottom() + 1;
            }
        }
        EXPECT_EQ(next, area.height());
    }
    EXPECT_EQ(BandGradient::colour(0), QColor(0, 0, 255));
    EXPECT_EQ(BandGradient::colour(255), QColor(0, 0, 0));
}

// The window pictured the moment its status line first shows `status`.
class CapturingWindow : public TfrmInstall {
public:
    using TfrmInstall::TfrmInstall;
    void screenChanged() override {
        TfrmInstall::screenChanged();
        if (!captured && session().screen.status == status) captured = grab().toImage();
    }
    std::string status;
    std::optional<QImage> captured;
};

// The window through the real medium: install, then the exam package and
// the update, then the uninstall; each screen saved as a picture.
TEST_F(TfrmInstallTest, RendersEachJobOfTheRealMedium) {
    FixedSetupLocation realMedium(ZENTRIX_MEDIUM_DIR);
    {
        CapturingWindow window(platform(), service, realMedium, {"zentrix-install"});
        window.status = "Copying the graphics...";
        window.resize(1280, 800);
        window.show();
        window.FormActivate();
        ASSERT_EQ(window.startupOutcome(), StartupOutcome::InstallPanel);
        QTest::mouseClick(window.Button1(), Qt::LeftButton);
        settle();
        ASSERT_FALSE(window.isVisible());
        ASSERT_TRUE(window.captured);
        EXPECT_TRUE(window.captured->save(QString(ZENTRIX_SETUP_SCREENS) + "/2-installing.png"));
    }
    {
        service.record.clear();
        auto window = openWindow({"zentrix-install"}, &realMedium);
        EXPECT_EQ(window->startupOutcome(), StartupOutcome::PackagesDone);
        EXPECT_EQ(window->Label3()->text(), texts::kAllExamsInstalled);
        EXPECT_EQ(window->btnExit()->text(), texts::kClose);
        EXPECT_FALSE(window->Button1()->isVisible());
        EXPECT_TRUE(window->Panel1()->caption().isEmpty());
        EXPECT_TRUE(service.record.texts(Event::Error).empty());
        save(*window, "3-exam-packages-installed.png");
        QTest::mouseClick(window->btnExit(), Qt::LeftButton);  // closes without asking
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(service.record.texts(Event::Question).empty());
    }
    {
        service.record.clear();
        auto window =
            openWindow({paths().windowsDir + "/uninstall-zentrix", "-u", "zentrix-uninstall.ini"});
        settle();
        EXPECT_EQ(window->windowTitle(), "Zentrix UnInstall");
        EXPECT_EQ(window->Label3()->text(), texts::kUninstallCompleted);
        EXPECT_TRUE(window->btnExit()->isEnabled());
        EXPECT_TRUE(window->isVisible());  // stays until Close
        save(*window, "4-uninstall-completed.png");
    }
}

}  // namespace
}  // namespace zentrix::setup::testing
