// The demo's three simulations, played as a learner plays them: to their
// correct end, and to a wrong action.

#include <QDir>
#include <QFile>

#include "panel_fixture.h"
#include "simulation/panel/tbz_ip_mask.h"
#include "simulation/panel/tedit_ww.h"

namespace zentrix::simulation::panel::testing {
namespace {

class DemoSimulation : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        window->resize(700, 460);
        panel->setGeometry(0, 0, 700, 460);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void loadDemo(const char* name) {
        const QString path = QStringLiteral(ZENTRIX_DEMO_SIMULATIONS "/%1.sim").arg(name);
        ASSERT_TRUE(QFile::exists(path)) << path.toStdString() << " (built with the demo)";
        loadFile(path);
        ASSERT_EQ(panel->currentFrame(), 1);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) timer->tick();
        settle();
    }
};

TEST_F(DemoSimulation, FileManagerPlayedToItsEnd) {
    loadDemo("file-manager");
    doubleClick({285, 113});  // open the folder
    ASSERT_EQ(panel->currentFrame(), 2);
    press({375, 113});  // take the file ...
    ASSERT_EQ(panel->currentFrame(), 3);
    QTest::mouseMove(picture(), {250, 113});
    release({195, 113});  // ... and drop it on the other folder
    EXPECT_EQ(panel->currentFrame(), 4);
    EXPECT_EQ(outcomes, QStringList{"correct"});
}

TEST_F(DemoSimulation, FileManagerDropOutsideTheFolderIsWrong) {
    loadDemo("file-manager");
    doubleClick({285, 113});
    press({375, 113});
    release({600, 350});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 3"});
    EXPECT_EQ(panel->currentFrame(), 2);
}

TEST_F(DemoSimulation, RouterPagePlayedToItsEnd) {
    loadDemo("router-page");
    ASSERT_FALSE(panel->memoFields().empty());
    QTest::keyClick(panel->memoFields().front(), Qt::Key_L, Qt::ControlModifier);
    settle();
    ASSERT_EQ(panel->currentFrame(), 2);
    QTest::keyClicks(panel->memoFields().front(), "192.168.1.1");
    QTest::keyClick(panel->memoFields().front(), Qt::Key_Return);
    settle();
    ASSERT_EQ(panel->currentFrame(), 3);  // the page loads for 1.2 s
    ticks(12);
    EXPECT_EQ(panel->currentFrame(), 3);
    ticks(1);
    EXPECT_EQ(panel->currentFrame(), 4);
    EXPECT_EQ(outcomes, QStringList{"correct"});
}

TEST_F(DemoSimulation, RouterPageWrongAddressIsWrong) {
    loadDemo("router-page");
    QTest::keyClick(panel->memoFields().front(), Qt::Key_L, Qt::ControlModifier);
    settle();
    QTest::keyClicks(panel->memoFields().front(), "http://10.0.0.1");
    QTest::keyClick(panel->memoFields().front(), Qt::Key_Return);
    settle();
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 2"});
}

TEST_F(DemoSimulation, StaticAddressPlayedToItsEnd) {
    loadDemo("static-address");
    click({200, 89});
    ASSERT_EQ(panel->currentFrame(), 2);
    ASSERT_FALSE(panel->addressFields().empty());
    TBZIPMask* address = panel->addressFields().front();
    EXPECT_TRUE(address->hasFocus());
    QTest::keyClicks(address, "192168100125");
    EXPECT_EQ(address->addressText(), "192.168.100.125");
    click({540, 293});  // OK
    EXPECT_EQ(panel->currentFrame(), 3);
    EXPECT_EQ(outcomes, QStringList{"correct"});
}

TEST_F(DemoSimulation, StaticAddressIncompleteAddressIsWrong) {
    loadDemo("static-address");
    click({200, 89});
    QTest::keyClicks(panel->addressFields().front(), "192168100");
    click({540, 293});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 2"});
    EXPECT_EQ(panel->currentFrame(), 2);
}

}  // namespace
}  // namespace zentrix::simulation::panel::testing

namespace zentrix::simulation::panel::testing {
namespace {

// Pictures of the panel playing, to look at: <build>/renders/simulation-*.png.
TEST_F(DemoSimulation, RendersFramesWithTheirFields) {
    const QString out = QStringLiteral(ZENTRIX_BINARY_DIR "/renders");
    QDir().mkpath(out);
    loadDemo("static-address");
    click({200, 89});
    QTest::keyClicks(panel->addressFields().front(), "10");
    QTest::keyClick(panel->addressFields().front(), Qt::Key_Tab);
    QTest::keyClicks(panel->addressFields().front(), "1");
    EXPECT_TRUE(panel->grab(QRect(QPoint(0, 0), panel->pictureSize()))
                    .save(out + "/simulation-static-address-2.png"));
    loadDemo("router-page");
    QTest::keyClick(panel->memoFields().front(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClicks(panel->memoFields().front(), "http://192.168.1.1");
    EXPECT_TRUE(panel->grab(QRect(QPoint(0, 0), panel->pictureSize()))
                    .save(out + "/simulation-router-page-2.png"));
}

}  // namespace
}  // namespace zentrix::simulation::panel::testing
