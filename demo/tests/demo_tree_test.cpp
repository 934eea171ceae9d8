// Checks the built demo tree the way the engine will use it: the skin loads
// without a missing picture, the bank lists its courses and exams, every
// question is complete (rows, answer key, stored file, case study), and the
// alternative set is preferred. Also renders the engine's screens with the
// demo to PNG files (demo/screens/) for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "base/message_sink.h"
#include "engine/desktop_shell.h"
#include "engine/engine_data.h"
#include "engine/engine_folders.h"
#include "engine/recording_dialog_service.h"
#include "engine/skin_loader.h"
#include "engine/tfrm_main.h"
#include "platform/file_registry.h"
#include "platform/profile_store.h"
#include "questionbank/answer_key.h"
#include "questionbank/ttesting.h"
#include "simulation/question_service.h"
#include "simulation/simulation_loader.h"
#include "tools/bank/catalogue_tree.h"

namespace zentrix::demo {
namespace {

using questionbank::TTesting;

const std::string kTree = ZENTRIX_DEMO_TREE;
const std::string kGraphics = kTree + "/graphics/";
const std::string kDatabase = kTree + "/database/";

class NoQuestions : public simulation::QuestionService {
public:
    bool askYesNo(const QString& question) override {
        asked = question;
        return false;
    }
    QString asked;
};

class DemoBank : public ::testing::Test {
protected:
    DemoBank() : bank(engine, kDatabase, sink) {}
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    TTesting bank;
};

TEST(DemoSkin, LoadsEveryPictureWithoutAReport) {
    platform::TextProfileStore profiles;
    engine::RecordingDialogService dialogs;
    const engine::Skin skin = engine::SkinLoader(profiles, dialogs).LoadSkin(kGraphics);
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text.toStdString();
    for (const engine::SkinPictureKey& key : engine::kSkinPictureKeys) {
        ASSERT_TRUE(skin.hasPicture(key.picture)) << key.section << " / " << key.key;
        EXPECT_FALSE(QImage(QString::fromStdString(skin.picturePath(key.picture))).isNull())
            << key.key;
    }
    EXPECT_FALSE(skin.correctStream.isEmpty());
    EXPECT_FALSE(skin.incorrectStream.isEmpty());
    for (engine::ScreenId screen : {engine::ScreenId::MainInterface, engine::ScreenId::QVTestType,
                                    engine::ScreenId::ComfirmQV, engine::ScreenId::TestWindow,
                                    engine::ScreenId::ExamReview, engine::ScreenId::ExamResults}) {
        const QImage background(
            QString::fromStdString(kGraphics + *skin.backgrounds.fileNameFor(screen)));
        EXPECT_EQ(background.size(), QSize(640, 480)) << *skin.backgrounds.fileNameFor(screen);
    }
    for (int i = 0; i < engine::BackgroundTable::kEntryCount; ++i) {
        const auto& entry = skin.backgrounds.entry(i);
        EXPECT_FALSE(QImage(QString::fromStdString(kGraphics + entry.fileName)).isNull())
            << entry.key;
    }
    // Colours the skin sets, not the loader's defaults.
    EXPECT_EQ(skin.colors.dark, 0x02E8DCD0u);
    EXPECT_EQ(skin.colors.light, 0x02FEFCFAu);
}

TEST_F(DemoBank, ListsTwoCoursesWithTheirExamsAndMixedRows) {
    ASSERT_TRUE(bank.IsValid()) << bank.LastError();
    std::map<std::string, std::set<std::string>> exams;
    int mixedRows = 0;
    for (const auto& row : banktool::CatalogueTree::collect(bank, true, false)) {
        if (row.NodeKind == questionbank::kExamRow) exams[row.CourseId].insert(row.TestId);
        if (row.NodeKind == questionbank::kMixedRow) ++mixedRows;
    }
    const std::map<std::string, std::set<std::string>> expected = {
        {"LINUXADM", {"LNX-FILES", "LNX-PROC"}}, {"NETESS", {"NET-FUND", "NET-IP", "NET-SVC"}}};
    EXPECT_EQ(exams, expected);
    EXPECT_EQ(mixedRows, 2);
}

// Opens every exam and checks each question as the test screen will use it.
TEST_F(DemoBank, EveryQuestionIsComplete) {
    ASSERT_TRUE(bank.IsValid()) << bank.LastError();
    const std::vector<std::string> exams = {"NET-FUND", "NET-IP", "NET-SVC", "LNX-FILES",
                                            "LNX-PROC"};
    std::map<int, int> types;
    int total = 0, exhibits = 0, cases = 0, richTexts = 0;
    for (const std::string& id : exams) {
        SCOPED_TRACE(id);
        ASSERT_EQ(bank.OpenTest(id), 0) << bank.LastError();
        const int count = bank.QuestionCount();
        EXPECT_GE(count, 10);
        total += count;
        for (int number = 1; number <= count; ++number) {
            SCOPED_TRACE("question " + std::to_string(number));
            ASSERT_EQ(bank.GoToTestQuestion(number), 0) << bank.LastError();
            const questionbank::TestQuestionInfo& q = bank.QuestionInfo();
            ++types[q.TYPE];
            EXPECT_FALSE(q.TITLE.empty());
            EXPECT_FALSE(q.QUESTION.empty());
            EXPECT_FALSE(q.Hint.empty());
            EXPECT_FALSE(q.REF.empty());
            for (const std::string* text : {&q.Hint, &q.REF}) {
                if (text->rfind("{\\rtf", 0) != 0) continue;
                ++richTexts;
                EXPECT_NE(text->find("{\\pict"), std::string::npos)
                    << "rich text without its figure";
                EXPECT_EQ(text->find("@RTF_PICTURE"), std::string::npos)
                    << "placeholder left in the bank";
            }
            for (int row = 1; row <= q.NUMANSWER && q.TYPE != questionbank::kTrueFalse; ++row)
                EXPECT_FALSE(bank.GetAnswerText(row).empty()) << "answer row " << row;
            if (q.TYPE == questionbank::kSingleChoice) {
                const int key = std::stoi(q.ANSWER);
                EXPECT_TRUE(key >= 1 && key <= q.NUMANSWER) << "key " << q.ANSWER;
            } else if (q.TYPE == questionbank::kMultipleChoice) {
                const int mask = std::stoi(q.ANSWER);
                EXPECT_TRUE(mask > 0 && mask < (1 << q.NUMANSWER)) << "mask " << q.ANSWER;
                EXPECT_GE(__builtin_popcount(static_cast<unsigned>(mask)), 2)
                    << "one right choice of several";
            }
            if (!q.GRAPHIC.empty()) {
                auto data = bank.GetGraphicData();
                ASSERT_TRUE(data.isOk()) << data.message();
                const QByteArray bytes = QByteArray::fromStdString(data.value());
                if (q.TYPE == questionbank::kSimulation) {
                    NoQuestions questions;
                    simulation::SimulationContent content;
                    auto loaded = simulation::SimulationLoader(questions).loadBytes(
                        bytes, QString::fromStdString(q.GRAPHIC), content);
                    ASSERT_TRUE(loaded.isOk()) << loaded.message();
                    EXPECT_EQ(loaded.value(), simulation::LoadOutcome::Read);
                    EXPECT_GE(content.Frames.size(), 3u);
                    EXPECT_GE(q.NUMANSWER, 3) << "the steps of the simulation";
                } else {
                    ++exhibits;
                    EXPECT_FALSE(QImage::fromData(bytes).isNull()) << q.GRAPHIC;
                }
            }
            if (q.CaseID > 0) {
                ++cases;
                ASSERT_TRUE(bank.CaseTableOpen()) << bank.LastError();
                auto found = bank.CaseStudies().find(q.CaseID);
                ASSERT_TRUE(found.isOk()) << found.message();
                EXPECT_GE(found.value().tabCount, 2);
                for (int tab = 0; tab < found.value().tabCount; ++tab) {
                    EXPECT_FALSE(found.value().tabNames[tab].empty());
                    EXPECT_EQ(found.value().tabTexts[tab].rfind("{\\rtf", 0), 0u);
                }
            }
        }
        bank.CloseTest();
    }
    EXPECT_GE(total, 80);
    for (int type : {questionbank::kTrueFalse, questionbank::kSingleChoice,
                     questionbank::kMultipleChoice, questionbank::kSimulation})
        EXPECT_GT(types[type], 0) << "question type " << type;
    EXPECT_GE(types[questionbank::kSimulation], 3);
    EXPECT_GE(exhibits, 2);
    EXPECT_GE(cases, 2);
    EXPECT_GE(richTexts, 3);
}

TEST_F(DemoBank, PractiseOpensTheAlternativeSetOfNetIp) {
    ASSERT_TRUE(bank.IsValid()) << bank.LastError();
    int usedRegular = -1;
    ASSERT_EQ(bank.OpenPrePostTest("NET-IP", false, usedRegular), 0) << bank.LastError();
    EXPECT_EQ(usedRegular, 1);
    const int regularCount = bank.QuestionCount();
    ASSERT_EQ(bank.OpenPrePostTest("NET-IP", true, usedRegular), 0) << bank.LastError();
    EXPECT_EQ(usedRegular, 0);
    EXPECT_NE(bank.QuestionCount(), regularCount);
    ASSERT_EQ(bank.GoToTestQuestion(1), 0);
    EXPECT_EQ(bank.QuestionInfo().TITLE, "Mask of a /20");
}

// The engine's main window on the demo, every screen saved as a picture.
TEST(DemoScreens, RenderWithTheDemoSkinAndBank) {
    QTemporaryDir scratch;
    platform::FileRegistry registry(scratch.path().toStdString() + "/registry", {});
    const auto root = platform::RootKey::LocalMachine;
    ASSERT_TRUE(registry.createKey(root, engine::kEngineRegistryKey).isOk());
    ASSERT_TRUE(registry.setValue(root, engine::kEngineRegistryKey, "HomeDir", kTree + "/").isOk());
    ASSERT_TRUE(
        registry.setValue(root, engine::kEngineRegistryKey, "GraphicDir", kGraphics).isOk());
    ASSERT_TRUE(
        registry.setValue(root, engine::kEngineRegistryKey, "DatabaseDir", kDatabase).isOk());
    platform::TextProfileStore profiles;
    engine::RecordingDialogService dialogs;
    struct NoShell : engine::DesktopShell {
        void openDocument(const std::string&) override {}
        void openAddress(const std::string&) override {}
        void minimizeApplication() override {}
    } shell;
    // The history table is written beside the bank: work on a copy.
    const QString database = scratch.path() + QStringLiteral("/database/");
    ASSERT_TRUE(QDir().mkpath(database));
    for (const QString& sub :
         {QString(), QStringLiteral("networking/"), QStringLiteral("linux/")}) {
        QDir().mkpath(database + sub);
        const QDir from(QString::fromStdString(kDatabase) + sub);
        for (const QString& name : from.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(from.filePath(name), database + sub + name));
    }
    ASSERT_TRUE(
        registry.setValue(root, engine::kEngineRegistryKey, "DatabaseDir", database.toStdString())
            .isOk());

    engine::MainWindowContext context{dialogs,
                                      registry,
                                      profiles,
                                      shell,
                                      engine::OpenEngineData,
                                      {QStringLiteral("zentrix")},
                                      scratch.path().toStdString() + "/zentrix.INI"};
    engine::TfrmMain main(context);
    ASSERT_TRUE(main.StartupSucceeded());
    main.LoadSkin(kGraphics);
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text.toStdString();
    main.show();

    const QString out = QStringLiteral(ZENTRIX_DEMO_SCREENS);
    QDir().mkpath(out);
    const struct {
        engine::ScreenId screen;
        const char* file;
    } screens[] = {{engine::ScreenId::MainInterface, "1-main.png"},
                   {engine::ScreenId::QVTestType, "3-exam-type.png"},
                   {engine::ScreenId::ComfirmQV, "4-confirm-mixed.png"},
                   {engine::ScreenId::TestWindow, "5-test.png"},
                   {engine::ScreenId::ExamReview, "6-review.png"},
                   {engine::ScreenId::ExamResults, "7-results.png"}};
    for (const auto& s : screens) {
        if (s.screen == engine::ScreenId::QVTestType) {
            main.SelectExamRow(1);  // the first exam of the first course
        } else {
            main.ShowScreen(engine::ScreenId::None, s.screen);
        }
        ASSERT_EQ(main.CurrentScreen(), s.screen);
        EXPECT_TRUE(main.grab().toImage().save(out + QLatin1Char('/') + QLatin1String(s.file)))
            << s.file;
    }
}

}  // namespace
}  // namespace zentrix::demo
