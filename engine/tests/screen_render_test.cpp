// Renders every screen, and the small windows of the main screen, to PNG
// files in the build folder (engine-screens/), so that a person can look at
// the layout. The test, review and results screens appear here as they stand
// before any attempt; the demo's attempt test renders them with a running
// attempt on them (demo/attempt-screens/).

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>

#include "engine/tfrm_about_box.h"
#include "engine/tfrm_confirm_exit_exam.h"
#include "engine/tfrm_missing_files.h"
#include "engine/tfrm_options.h"
#include "engine_fixture.h"

namespace zentrix::engine::testing {
namespace {

class ScreenRenderTest : public EngineFixture {};

TEST_F(ScreenRenderTest, EveryScreenRendersToAPicture) {
    writeRegistryKey();
    auto main = makeMainWindow();
    main->show();
    const QString out = QStringLiteral(ZENTRIX_BINARY_DIR "/engine-screens");
    QDir().mkpath(out);

    main->vsiTestSelectBox()->setCurrentItem(1);
    const struct {
        ScreenId screen;
        const char* file;
    } screens[] = {
        {ScreenId::MainInterface, "1-main.png"},      {ScreenId::QVTestType, "3-exam-type.png"},
        {ScreenId::ComfirmQV, "4-confirm-mixed.png"}, {ScreenId::TestWindow, "5-test.png"},
        {ScreenId::ExamReview, "6-review.png"},       {ScreenId::ExamResults, "7-results.png"}};
    for (const auto& s : screens) {
        if (s.screen == ScreenId::QVTestType) {
            main->SelectExamRow(1);
        } else {
            main->ShowScreen(ScreenId::None, s.screen);
        }
        ASSERT_EQ(main->CurrentScreen(), s.screen);
        const QImage picture = main->grab().toImage();
        EXPECT_EQ(picture.size(), QSize(640, 480));
        EXPECT_TRUE(picture.save(out + "/" + s.file)) << s.file;
    }

    StudyGuideSettings settings;
    StudyGuideSettingsFile file(profiles, settingsFile);
    TfrmOptions options(settings, file);
    TfrmAboutBox about("");
    TfrmConfirmExitExam confirm;
    TfrmMissingFiles missing;
    missing.setFileName(QStringLiteral("/opt/zentrix/graphics/btnHelp.png"));
    const struct {
        QWidget* window;
        const char* file;
    } windows[] = {{&options, "options.png"},
                   {&about, "about.png"},
                   {&confirm, "confirm-exit.png"},
                   {&missing, "missing-graphic.png"}};
    for (const auto& w : windows) {
        w.window->adjustSize();
        EXPECT_TRUE(w.window->grab().save(out + "/" + w.file)) << w.file;
    }
}

}  // namespace
}  // namespace zentrix::engine::testing
