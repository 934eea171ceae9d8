// Renders every study-aid window with the demo bank's own content to PNG
// files under the build folder (aids-windows/), so that a person can look at
// them: a formatted reference with its figure, a hint, the steps of a
// simulation, an exhibit, the feedback picture and the four-tab case study.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "base/message_sink.h"
#include "engine/aids/case_study_source.h"
#include "engine/aids/study_text.h"
#include "engine/aids/texibit_form.h"
#include "engine/aids/tfrm_display_case_study.h"
#include "engine/aids/thint_form.h"
#include "engine/aids/tinfo_form.h"
#include "engine/aids/tref_form.h"
#include "engine/aids/tsteps.h"
#include "engine/recording_dialog_service.h"
#include "questionbank/ttesting.h"
#include "ui/rich_text/rich_text_document.h"
#include "xbase/engine.h"

namespace zentrix::engine::aids {
namespace {

const QString kTree = QStringLiteral(ZENTRIX_BINARY_DIR "/demo/tree");
const QString kOut = QStringLiteral(ZENTRIX_BINARY_DIR "/aids-windows");

// The demo bank, copied so that opening it changes nothing in the tree.
class DemoBank : public ::testing::Test {
protected:
    void SetUp() override {
        const QString source = kTree + QStringLiteral("/database");
        ASSERT_TRUE(QDir(source).exists()) << "build the demo first (target zentrix_demo)";
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target =
                folder.path() + QStringLiteral("/") + QDir(source).relativeFilePath(file);
            QDir().mkpath(QFileInfo(target).path());
            ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
        }
        bank = std::make_unique<questionbank::TTesting>(engine, folder.path().toStdString() + "/",
                                                        sink);
        ASSERT_TRUE(bank->IsValid()) << bank->LastError();
        QDir().mkpath(kOut);
    }

    // The first question of `exam` for which `wanted` holds; the exam stays open.
    bool findQuestion(const std::string& exam,
                      const std::function<bool(const questionbank::TestQuestionInfo&)>& wanted) {
        bank->CloseTest();
        if (bank->OpenTest(exam) != 0) return false;
        for (int n = 1; n <= bank->QuestionCount(); ++n) {
            if (bank->GoToTestQuestion(n) == 0 && wanted(bank->QuestionInfo())) return true;
        }
        return false;
    }

    static void save(QWidget& window, const char* file) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        const QImage picture = window.grab().toImage();
        EXPECT_FALSE(picture.isNull()) << file;
        EXPECT_TRUE(picture.save(kOut + QStringLiteral("/") + QLatin1String(file))) << file;
    }

    QTemporaryDir folder;
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    std::unique_ptr<questionbank::TTesting> bank;
    RecordingDialogService dialogs;
};

TEST_F(DemoBank, ReferencesAndHintShowTheDemosRichTextWithItsFigure) {
    ASSERT_TRUE(findQuestion("NET-FUND", [](const questionbank::TestQuestionInfo& q) {
        return q.REF.find("\\pict") != std::string::npos;
    }));
    TRefForm references;
    references.resize(500, 420);
    references.LoadText(bank->QuestionInfo().REF);
    const ui::RtfReadSummary summary = references.ReadSummary();
    EXPECT_EQ(summary.pictures, 1);
    EXPECT_EQ(summary.picturesNotDecoded, 0);
    EXPECT_TRUE(
        references.Help()->document()->toPlainText().startsWith(QStringLiteral("Default gateway")));
    save(references, "references.png");

    THintForm hint;
    hint.resize(360, 160);
    hint.LoadText(bank->QuestionInfo().Hint);
    EXPECT_FALSE(hint.IsEmpty());
    save(hint, "hint.png");
}

TEST_F(DemoBank, StepsShowTheStepsOfADemoSimulation) {
    ASSERT_TRUE(findQuestion("NET-SVC",
                             [](const questionbank::TestQuestionInfo& q) { return q.TYPE == 3; }));
    TSteps steps;
    steps.SetTitle(QString::fromStdString(bank->QuestionInfo().TITLE));
    steps.Clear();
    for (int i = 1; i <= bank->QuestionInfo().NUMANSWER; ++i)
        steps.AddStep(QStringLiteral("Step %1: ").arg(i),
                      QString::fromLatin1(bank->GetAnswerText(i).c_str()));
    ASSERT_GT(steps.ListBox1()->count(), 1);
    save(steps, "steps.png");
}

TEST_F(DemoBank, ExhibitAndFeedbackShowTheirPictures) {
    ASSERT_TRUE(findQuestion(
        "NET-FUND", [](const questionbank::TestQuestionInfo& q) { return !q.GRAPHIC.empty(); }));
    auto data = bank->GetGraphicData();
    ASSERT_TRUE(data.isOk());
    TExibitForm exhibit;
    ASSERT_TRUE(exhibit.LoadPictureData(QByteArray::fromStdString(data.value())));
    save(exhibit, "exhibit.png");

    QFile correct(kTree + QStringLiteral("/graphics/Correct.jpg"));
    ASSERT_TRUE(correct.open(QIODevice::ReadOnly));
    const QByteArray stream = correct.readAll();
    ASSERT_FALSE(stream.isEmpty()) << "the demo skin has a correct-answer picture";
    TInfoForm info(dialogs);
    dialogs.answerNextDialog([&](QDialog& dialog) {
        save(dialog, "feedback.png");
        return 0;
    });
    EXPECT_TRUE(info.ShowImage(stream, QRect(0, 0, 640, 480)));
}

TEST_F(DemoBank, CaseStudyShowsTheDemosFourTabs) {
    ASSERT_TRUE(findQuestion("NET-SVC",
                             [](const questionbank::TestQuestionInfo& q) { return q.CaseID > 0; }));
    ASSERT_TRUE(bank->CaseTableOpen());
    CaseStudyTableSource cases(bank->CaseStudies());
    TfrmDisplayCaseStudy window(cases, dialogs);
    window.resize(640, 500);
    window.SetCaseNumber(bank->QuestionInfo().CaseID);
    ASSERT_TRUE(window.LoadCase(window.CaseNumber()));
    EXPECT_EQ(window.TabsInUse(), 4);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Harbour Street Clinic"));
    save(window, "case-study-1.png");
    window.PageControl1()->setCurrentIndex(1);
    save(window, "case-study-2-network.png");
    window.PageControl1()->setCurrentIndex(2);
    save(window, "case-study-3-servers.png");
    EXPECT_EQ(dialogs.count(RecordingDialogService::Event::Error), 0);

    // The table closes with its exam; the window then finds no case.
    bank->CloseTest();
    EXPECT_FALSE(bank->CaseTableOpen());
    EXPECT_FALSE(window.LoadCase(1));
}

}  // namespace
}  // namespace zentrix::engine::aids
