#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>

#include "engine/command_line.h"
#include "engine/program_entry.h"
#include "engine_fixture.h"

namespace zentrix::engine::testing {
namespace {

using Event = RecordingDialogService::Event;

class StartupTest : public EngineFixture {};

TEST_F(StartupTest, MissingRegistryKeyGivesOneMessageAndNoWindow) {
    ProgramServices services{dialogs,     registry,     profiles,      shell,
                             {"zentrix"}, settingsFile, folder("temp")};
    EXPECT_EQ(RunEngineProgram(services), 0);
    EXPECT_EQ(dialogs.texts(Event::Information),
              std::vector<QString>{"Registry entry not found for the home directory"});
    EXPECT_EQ(dialogs.entries().size(), 1u);
    for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(settingsFile)))
        << "start-up stops before the settings are read";
}

TEST_F(StartupTest, StartupReadsFoldersFillsTheTreeAndShowsTheMainScreen) {
    writeRegistryKey();
    auto main = makeMainWindow();
    ASSERT_TRUE(main->StartupSucceeded());
    EXPECT_EQ(main->Folders().HomeDir, folder("home"));
    EXPECT_EQ(main->Folders().DatabaseDir, folder("data"));
    EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    ASSERT_EQ(main->TreeRows().size(), 8u);
    EXPECT_EQ(main->TreeRows()[0].CourseId, "NET") << "texts are trimmed of blanks";
    EXPECT_EQ(main->TreeRows()[1].TestId, "NET1");
    EXPECT_EQ(main->TreeRows()[1].Title, "Network Basics");
    EXPECT_EQ(main->vsiTestSelectBox()->itemText(1), " Network Basics");
    EXPECT_EQ(main->vsiTestSelectBox()->itemText(3), " Zentrix for Networking");
    EXPECT_EQ(main->vsiTestSelectBox()->textColumnWidth(), 616 - 20);
    EXPECT_EQ(main->edName()->text(), "Student");
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(StartupTest, RowKindsPickTheFourFontsAndCarryTheirStatusBytes) {
    writeRegistryKey();
    auto main = makeMainWindow();
    const ui::CourseTreeView* tree = main->vsiTestSelectBox();
    const struct {
        int item;
        int font;
        std::array<uint8_t, 3> status;
    } cases[] = {{0, 1, {1, 0, 0}}, {1, 2, {2, 1, 0}}, {3, 4, {2, 3, 0}}, {4, 1, {2, 0, 0}}};
    for (const auto& c : cases) {
        EXPECT_EQ(tree->styleOf(c.item).fontNumber, c.font) << c.item;
        EXPECT_EQ(tree->styleOf(c.item).status, c.status) << c.item;
    }
}

TEST_F(StartupTest, SettingsFileIsCreatedWithBothKeysZeroAndReadWhenPresent) {
    writeRegistryKey();
    {
        auto main = makeMainWindow();
        EXPECT_EQ(profiles.readString(settingsFile, "StudyGuide", "ListStudyGuide", "none"), "0");
        EXPECT_EQ(profiles.readString(settingsFile, "StudyGuide", "SG_AfterQues", "none"), "0");
    }
    const struct {
        const char* list;
        const char* after;
        int expectedList;
        int expectedAfter;
    } cases[] = {{"2", "3", 2, 3}, {"7", "-1", 0, 0}, {"x", "1", 0, 1}};
    for (const auto& c : cases) {
        ASSERT_TRUE(
            profiles.writeString(settingsFile, "StudyGuide", "ListStudyGuide", c.list).isOk());
        ASSERT_TRUE(
            profiles.writeString(settingsFile, "StudyGuide", "SG_AfterQues", c.after).isOk());
        auto main = makeMainWindow();
        EXPECT_EQ(main->StudyGuide().ListStudyGuide, c.expectedList) << c.list;
        EXPECT_EQ(main->StudyGuide().SG_AfterQues, c.expectedAfter) << c.after;
    }
}

TEST_F(StartupTest, NotRandomQuestionsIsASubstringTestOnEveryArgument) {
    const struct {
        QStringList arguments;
        bool random;
    } cases[] = {{{"zentrix"}, true},
                 {{"zentrix", "/NotRandomQuestions"}, false},
                 {{"zentrix", "xNotRandomQuestionsy"}, false},
                 {{"/opt/NotRandomQuestions/zentrix"}, false},
                 {{"zentrix", "notrandomquestions"}, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(RandomQuestionOrderFromArguments(c.arguments), c.random)
            << c.arguments.join(' ').toStdString();
    }
    writeRegistryKey();
    EXPECT_FALSE(makeMainWindow({"zentrix", "-NotRandomQuestions"})->RandomQuestionOrder());
}

TEST_F(StartupTest, EmptyGraphicsFolderReportsNineteenPicturesAndTheWindowRuns) {
    writeRegistryKey();
    auto main = makeMainWindow();
    main->LoadSkin(main->Folders().GraphicDir);
    EXPECT_EQ(dialogs.count(Event::MissingGraphic), 19);
    main->show();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->size(), QSize(640, 480));
    EXPECT_TRUE(main->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(StartupTest, SettingsFileLivesBesideAWritableProgramOrInTheFallbackFolder) {
    EXPECT_EQ(StudyGuideSettingsFile::PathForProgram(folder("program") + "zentrix", "/fallback/"),
              folder("program") + "zentrix.INI");
    EXPECT_EQ(StudyGuideSettingsFile::PathForProgram(folder("program") + "zentrix.exe", ""),
              folder("program") + "zentrix.INI");
    if (!QFileInfo("/proc").isWritable()) {
        EXPECT_EQ(StudyGuideSettingsFile::PathForProgram("/proc/zentrix", "/fallback/"),
                  "/fallback/zentrix.INI");
    }
}

}  // namespace
}  // namespace zentrix::engine::testing
