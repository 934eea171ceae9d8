// Playing simulations with real mouse events: frames, clicks, double clicks,
// drags, pointers and timed zones.

#include <QApplication>
#include <QFile>
#include <QGuiApplication>

#include "panel_fixture.h"

namespace zentrix::simulation::panel::testing {
namespace {

const QString kNothing = QStringLiteral("[]");

TEST_F(PanelTest, FrameWhoseZoneTargetsItselfEndsAtOnce) {
    load({R"([{"type": "click", "rectangle": [10, 10, 50, 30], "target": 2}])",
          R"([{"type": "click", "rectangle": [10, 10, 50, 30], "target": 2}])"});
    EXPECT_EQ(panel->currentFrame(), 1);
    EXPECT_TRUE(outcomes.isEmpty());
    click({20, 20});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_EQ(outcomes, QStringList{"correct"});
    // Finished: the picture no longer acts.
    click({150, 100});
    EXPECT_EQ(outcomes, QStringList{"correct"});
}

TEST_F(PanelTest, GoingBackStepsFromTheFirstFrameAndForwardStepsOnlyWhatIsBetween) {
    load({kNothing, kNothing, kNothing, kNothing, kNothing, kNothing});
    panel->ShowFrame(5);
    EXPECT_EQ(panel->framesDrawnLastChange(), 4);  // 2, 3, 4, 5
    panel->ShowFrame(3);
    EXPECT_EQ(panel->currentFrame(), 3);
    EXPECT_EQ(panel->framesDrawnLastChange(), 3);  // 1, 2, 3
    panel->ShowFrame(4);
    EXPECT_EQ(panel->framesDrawnLastChange(), 1);  // 4 directly
    panel->ShowFrame(6);
    EXPECT_EQ(panel->framesDrawnLastChange(), 2);  // 5, 6
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(PanelTest, TargetOfNoFrameIsAWrongActionInsteadOfACrash) {
    load({R"([{"type": "click", "rectangle": [10, 10, 50, 30], "target": 0}])", kNothing});
    click({20, 20});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 1"});
    panel->ShowFrame(99);
    EXPECT_EQ(panel->currentFrame(), 1);
}

struct ClickCase {
    const char* name;
    const char* zones;
    QPoint at;
    Qt::MouseButton button;
    Qt::KeyboardModifiers keys;
    int frameAfter;
    const char* outcome;  // "" for none
};

class ClickCases : public PanelTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickCases, ClickIsJudgedByTheZoneUnderThePress) {
    const ClickCase& c = GetParam();
    load({QString::fromLatin1(c.zones), kNothing, kNothing});
    click(c.at, c.keys, c.button);
    EXPECT_EQ(panel->currentFrame(), c.frameAfter);
    EXPECT_EQ(outcomes.join(";"), QString::fromLatin1(c.outcome));
}

const char* kClickAndWrong =
    R"([{"type": "click", "rectangle": [10, 10, 50, 30], "target": 2},
        {"type": "wrongClick", "rectangle": [60, 10, 100, 30]},
        {"type": "click", "rectangle": [10, 40, 50, 60], "target": 3, "ctrl": true},
        {"type": "rightClick", "ellipse": [110, 10, 150, 50], "target": 3},
        {"type": "rightPress", "rectangle": [10, 100, 50, 140], "target": 3},
        {"type": "press", "rectangle": [60, 100, 100, 140], "target": 2}])";

const ClickCase kClickCases[] = {
    {"click_on_click_zone_moves_on", kClickAndWrong, {20, 20}, Qt::LeftButton, {}, 2, ""},
    {"right_edge_is_outside",
     kClickAndWrong,
     {50, 20},
     Qt::LeftButton,
     {},
     1,
     "incorrect at frame 1"},
    {"click_beside_every_zone",
     kClickAndWrong,
     {180, 140},
     Qt::LeftButton,
     {},
     1,
     "incorrect at frame 1"},
    {"wrong_click_zone", kClickAndWrong, {70, 20}, Qt::LeftButton, {}, 1, "incorrect at frame 1"},
    {"zone_needing_ctrl_without_ctrl",
     kClickAndWrong,
     {20, 50},
     Qt::LeftButton,
     {},
     1,
     "incorrect at frame 1"},
    {"zone_needing_ctrl_with_ctrl",
     kClickAndWrong,
     {20, 50},
     Qt::LeftButton,
     Qt::ControlModifier,
     3,
     ""},
    {"extra_keys_do_not_matter",
     kClickAndWrong,
     {20, 20},
     Qt::LeftButton,
     Qt::ShiftModifier | Qt::AltModifier,
     2,
     ""},
    {"right_click_inside_the_ellipse", kClickAndWrong, {130, 30}, Qt::RightButton, {}, 3, ""},
    {"right_click_in_the_ellipse_corner",
     kClickAndWrong,
     {112, 12},
     Qt::RightButton,
     {},
     1,
     "incorrect at frame 1"},
    // A right press starts a drag; released at once, it drops off every release zone.
    {"right_press_dropped_at_once",
     kClickAndWrong,
     {20, 120},
     Qt::RightButton,
     {},
     1,
     "incorrect at frame 3"},
    {"right_press_on_a_left_press_zone",
     kClickAndWrong,
     {70, 120},
     Qt::RightButton,
     {},
     1,
     "incorrect at frame 1"},
    {"click_on_a_frame_without_click_zones",
     R"([{"type": "hover", "rectangle": [150, 100, 160, 110], "target": 2}])",
     {20, 20},
     Qt::LeftButton,
     {},
     1,
     "incorrect at frame 1"},
    {"polygon_zone_with_the_winding_rule",
     // A five-pointed star drawn in one stroke: its centre is inside only by
     // the winding rule.
     R"([{"type": "click", "polygon": [[50, 10], [74, 82], [12, 38], [88, 38], [26, 82]], "target": 2}])",
     {50, 50},
     Qt::LeftButton,
     {},
     2,
     ""},
};

INSTANTIATE_TEST_SUITE_P(Panel, ClickCases, ::testing::ValuesIn(kClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelTest, LeftPressOutsidePressZonesIsNoWrongAction) {
    load({R"([{"type": "press", "rectangle": [10, 10, 50, 30], "target": 2},
              {"type": "click", "rectangle": [60, 60, 90, 90], "target": 2}])",
          kNothing});
    press({70, 70});
    EXPECT_TRUE(outcomes.isEmpty());
    release({70, 70});
    EXPECT_EQ(panel->currentFrame(), 2);
}

TEST_F(PanelTest, DoubleClickMovesOnAndThePressThatComesWithItIsIgnored) {
    // Frame 2 has a press zone under the same spot: a press that acted would
    // start a drag there.
    load({R"([{"type": "doubleClick", "rectangle": [10, 10, 60, 60], "target": 2}])",
          R"([{"type": "press", "rectangle": [10, 10, 60, 60], "target": 3}])", kNothing});
    doubleClick({30, 30});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(outcomes.isEmpty());
    // The next press acts again.
    press({30, 30});
    EXPECT_EQ(panel->currentFrame(), 3);
}

TEST_F(PanelTest, SingleClickOnADoubleClickZoneIsWrongOnceTheDoubleClickTimeHasPassed) {
    load({R"([{"type": "doubleClick", "rectangle": [10, 10, 60, 60], "target": 2}])", kNothing});
    click({30, 30});
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), QApplication::doubleClickInterval() + 100);
    EXPECT_TRUE(outcomes.isEmpty());
    timer->tick();
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 1"});
    EXPECT_FALSE(timer->isActive());
}

TEST_F(PanelTest, DoubleClickWhereASingleClickWasExpectedIsWrong) {
    load({R"([{"type": "click", "rectangle": [10, 10, 60, 60], "target": 2}])",
          R"([{"type": "click", "rectangle": [100, 100, 120, 120], "target": 1}])"});
    doubleClick({30, 30});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 2"});
}

TEST_F(PanelTest, LaterOfTwoOverlappingPointerZonesSetsThePointer) {
    load({R"([{"type": "pointer", "rectangle": [10, 10, 100, 100], "pointer": "cross"},
              {"type": "pointer", "rectangle": [50, 50, 150, 140], "pointer": "hand"},
              {"type": "click", "rectangle": [0, 0, 200, 150], "target": 2, "pointer": "iBeam"}])",
          kNothing});
    moveTo({70, 70});
    EXPECT_EQ(picture()->cursor().shape(), Qt::IBeamCursor);
    load({R"([{"type": "pointer", "rectangle": [10, 10, 100, 100], "pointer": "cross"},
              {"type": "pointer", "rectangle": [50, 50, 150, 140], "pointer": "hand"}])",
          kNothing});
    moveTo({70, 70});
    EXPECT_EQ(picture()->cursor().shape(), Qt::PointingHandCursor);
    moveTo({20, 20});
    EXPECT_EQ(picture()->cursor().shape(), Qt::CrossCursor);
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(PanelTest, HoverZoneMovesOnWhenTheMouseEntersIt) {
    load({R"([{"type": "hover", "rectangle": [100, 100, 150, 140], "target": 2}])", kNothing});
    moveTo({20, 20});
    EXPECT_EQ(panel->currentFrame(), 1);
    moveTo({120, 120});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_TRUE(outcomes.isEmpty());
}

const QStringList kDrag = {
    R"([{"type": "click", "rectangle": [150, 100, 190, 140], "target": 2}])",
    R"([{"type": "press", "rectangle": [10, 10, 50, 50], "target": 3, "pointer": "drag"}])",
    R"([{"type": "release", "rectangle": [100, 10, 150, 50], "target": 4}])",
    R"([{"type": "click", "rectangle": [0, 0, 10, 10], "target": 4}])"};

TEST_F(PanelTest, DragDroppedOnTheReleaseZoneShowsItsTarget) {
    load(kDrag);
    click({160, 110});
    ASSERT_EQ(panel->currentFrame(), 2);
    press({30, 30});
    EXPECT_EQ(panel->currentFrame(), 3);
    // The press zone's pointer is shown on the whole screen while dragging.
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    QTest::mouseMove(picture(), {120, 30});
    release({120, 30});
    EXPECT_EQ(panel->currentFrame(), 4);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(outcomes, QStringList{"correct"});  // frame 4 is an end frame
}

TEST_F(PanelTest, DragDroppedElsewhereIsWrongAndReturnsToThePressFrame) {
    load(kDrag);
    click({160, 110});
    press({30, 30});
    ASSERT_EQ(panel->currentFrame(), 3);
    release({180, 140});
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 3"});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Finished: the press zone shown again does not act.
    press({30, 30});
    release({120, 30});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_EQ(outcomes, QStringList{"incorrect at frame 3"});
}

TEST_F(PanelTest, TimedZoneMovesOnAfterItsTicksAndOneMore) {
    load({R"([{"type": "timed", "delay": 10, "target": 2}])", R"([{"type": "timed", "delay": 3}])",
          kNothing});
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
    for (int tick = 1; tick <= 10; ++tick) {
        timer->tick();
        settle();
        ASSERT_EQ(panel->currentFrame(), 1) << "after tick " << tick;
    }
    timer->tick();  // the eleventh: 1.1 s after the frame was shown
    settle();
    EXPECT_EQ(panel->currentFrame(), 2);
    // Version 0x0110 without a target: the next frame, decided when it runs out.
    for (int tick = 0; tick < 4; ++tick) timer->tick();
    settle();
    EXPECT_EQ(panel->currentFrame(), 3);
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(PanelTest, ActionBeforeTheDelayRunsOutReplacesTheTimedZone) {
    load({R"([{"type": "timed", "delay": 1, "target": 3},
              {"type": "click", "rectangle": [10, 10, 50, 50], "target": 2}])",
          R"([{"type": "timed", "delay": 30, "target": 3}])", kNothing});
    timer->tick();
    timer->tick();  // runs out: the advance is posted ...
    QTest::mouseClick(picture(), Qt::LeftButton, {}, {20, 20});  // ... but a click comes first
    settle();
    EXPECT_EQ(panel->currentFrame(), 2);  // the stale advance does not skip frame 2's delay
    EXPECT_TRUE(timer->isActive());
}

TEST_F(PanelTest, StopEndsATimedZoneAndTheSoundWhenTheQuestionIsLeft) {
    files.write("click.wav", waveFile(800));
    load(
        {R"([{"type": "sound", "sound": "click.wav"}, {"type": "timed", "delay": 2, "target": 2}])",
         kNothing});
    EXPECT_EQ(sound.played.size(), 1);
    EXPECT_EQ(sound.played.front(), waveFile(800));
    ASSERT_TRUE(timer->isActive());
    panel->Stop();
    EXPECT_FALSE(timer->isActive());
    EXPECT_GE(sound.stops, 1);
    for (int tick = 0; tick < 5; ++tick) timer->tick();
    settle();
    EXPECT_EQ(panel->currentFrame(), 1);
    click({20, 20});
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(PanelTest, WithTestModeAnOutcomeLeavesThePanelPlaying) {
    panel->setIn_TestMode(true);
    load({R"([{"type": "wrongClick", "rectangle": [10, 10, 50, 50]},
              {"type": "click", "rectangle": [100, 10, 150, 50], "target": 2}])",
          R"([{"type": "click", "rectangle": [100, 10, 150, 50], "target": 2}])"});
    click({20, 20});
    click({20, 20});
    EXPECT_EQ(outcomes, (QStringList{"incorrect at frame 1", "incorrect at frame 1"}));
    click({120, 20});
    EXPECT_EQ(panel->currentFrame(), 2);
    EXPECT_EQ(outcomes.last(), "correct");
}

TEST_F(PanelTest, EmbeddedPointerIsWrittenToTheTemporaryFolderAndShownWithItsHotspot) {
    files.write("busy.cur", cursorFile(QSize(16, 16), QPoint(3, 5), qRgb(255, 0, 0)));
    files.write("spin.ani",
                animatedCursorFile({cursorFile(QSize(8, 8), QPoint(1, 1), qRgb(0, 0, 255)),
                                    cursorFile(QSize(8, 8), QPoint(2, 2), qRgb(0, 255, 0))},
                                   {1, 0}, 6));
    load(
        {R"([{"type": "pointer", "rectangle": [0, 0, 100, 150], "pointer": {"file": "busy.cur"}},
              {"type": "pointer", "rectangle": [100, 0, 200, 150], "pointer": {"file": "spin.ani"}}])",
         R"([{"type": "pointer", "rectangle": [0, 0, 200, 150], "pointer": {"sameAs": {"frame": 1, "zone": 1}}}])"});
    QFile written(panel->tempFolder() + "busy.cur");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), cursorFile(QSize(16, 16), QPoint(3, 5), qRgb(255, 0, 0)));
    EXPECT_TRUE(QFile::exists(panel->tempFolder() + "spin.ani"));

    moveTo({20, 20});
    EXPECT_EQ(picture()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(picture()->cursor().hotSpot(), QPoint(3, 5));
    EXPECT_EQ(picture()->cursor().pixmap().toImage().pixel(4, 4), qRgb(255, 0, 0));
    moveTo({150, 20});  // an animated pointer starts at the first step of its sequence
    EXPECT_EQ(picture()->cursor().hotSpot(), QPoint(2, 2));
}

TEST_F(PanelTest, FileThatCannotBeReadIsReportedAndShowsNothing) {
    EXPECT_FALSE(panel->LoadSimulation(files.folder() + "/missing.qsf"));
    ASSERT_EQ(errors.errors.size(), 1);
    EXPECT_TRUE(errors.errors.front().startsWith("missing.qsf: cannot be opened"))
        << errors.errors.front().toStdString();
    EXPECT_EQ(panel->frameCount(), 0);
    click({20, 20});
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(PanelTest, UnknownVersionAnsweredYesLeavesNothingOfTheSimulationBefore) {
    load({R"([{"type": "click", "rectangle": [10, 10, 50, 50], "target": 2}])", kNothing});
    const QString path = files.build({kNothing});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes[2] = '\x33';  // version word 0x0133
    file.seek(0);
    file.write(bytes);
    file.close();
    questions.answers = {true};
    EXPECT_FALSE(panel->LoadSimulation(path));
    EXPECT_EQ(questions.asked,
              QStringList{"This is an unknown version of the QSF file. Continue On?"});
    EXPECT_EQ(panel->frameCount(), 0);
    click({20, 20});
    EXPECT_TRUE(outcomes.isEmpty());
}

}  // namespace
}  // namespace zentrix::simulation::panel::testing
