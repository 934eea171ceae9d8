// The study aids on the bundled demo, opened from the test screen as a
// learner opens them, each saved with the test screen behind it as a picture
// under the build folder (demo/aid-screens/) for a person to look at: the
// formatted references with their figure, the hint, the exhibit, the feedback
// after an answer, the four-tab case study and the steps of a simulation.

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTextDocument>

#include "demo_attempt_fixture.h"
#include "engine/aids/texibit_form.h"
#include "engine/aids/tfrm_display_case_study.h"
#include "engine/aids/thint_form.h"
#include "engine/aids/tinfo_form.h"
#include "engine/aids/tref_form.h"
#include "engine/aids/tsteps.h"
#include "engine/screens/study_aid_windows.h"
#include "questionbank/bank_records.h"
#include "ui/rich_text_viewer.h"

namespace zentrix::demo {
namespace {

using namespace questionbank;
using engine::ScreenId;
using Event = engine::RecordingDialogService::Event;

constexpr int kTitleHeight = 22;

class DemoAids : public DemoAttempt {
protected:
    void SetUp() override {
        DemoAttempt::SetUp();
        QDir().mkpath(aidsOut);
    }

    engine::StudyAidWindows& aids() {
        return *dynamic_cast<engine::StudyAidWindows*>(main->Aids());
    }

    void startOpenBook(const char* exam) {
        main->edName()->setText(QStringLiteral("Ada"));
        main->SelectExamRow(row(exam, kExamRow));
        QTest::mouseClick(main->control("btnOpenBook"), Qt::LeftButton);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    }
    // The right answer, read from the question's key, typed as the learner would.
    void answerRight() {
        const TestQuestionInfo& q = main->Attempt()->Attempt().ShownQuestion();
        const auto type = [this](int k) { key(Qt::Key(k)); };
        if (q.TYPE == kTrueFalse) {
            type(q.ANSWER.rfind("TRUE", 0) == 0 ? Qt::Key_T : Qt::Key_F);
            return;
        }
        const int key = std::stoi(q.ANSWER);
        if (q.TYPE == kSingleChoice) {
            type(Qt::Key_A + key - 1);
            return;
        }
        for (int bit = 0; bit < 26; ++bit)
            if (key >> bit & 1) type(Qt::Key_A + bit);
    }
    // A key typed where the focus is, as the keyboard would.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : main.get(), k, modifiers);
    }
    void backToMainWindow() {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    // The main window with `windows` over it where they stand on the screen,
    // each aid window with a plain title bar as a desktop would draw it.
    void shot(const char* name, std::initializer_list<QWidget*> windows) {
        QCoreApplication::processEvents();
        QRect area = main->frameGeometry();
        for (QWidget* window : windows) {
            const bool framed = !(window->windowFlags() & Qt::FramelessWindowHint);
            area |= window->geometry().adjusted(-1, framed ? -kTitleHeight : -1, 1, 1);
        }
        QImage image(area.size(), QImage::Format_RGB32);
        image.fill(QColor(0x3A, 0x4A, 0x5A));
        QPainter painter(&image);
        painter.drawPixmap(main->pos() - area.topLeft(), main->grab());
        for (QWidget* window : windows) {
            const QRect client = window->geometry().translated(-area.topLeft());
            if (!(window->windowFlags() & Qt::FramelessWindowHint)) {
                const QRect title(client.left() - 1, client.top() - kTitleHeight,
                                  client.width() + 2, kTitleHeight);
                painter.fillRect(title, QColor(0x2C, 0x4A, 0x68));
                painter.setPen(Qt::white);
                painter.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                                 window->windowTitle());
            }
            painter.drawPixmap(client.topLeft(), window->grab());
            painter.setPen(QColor(0x20, 0x30, 0x40));
            painter.drawRect(client.adjusted(-1, -1, 0, 0));
        }
        painter.end();
        EXPECT_TRUE(image.save(aidsOut + QLatin1Char('/') + QLatin1String(name))) << name;
    }

    const QString aidsOut = QStringLiteral(ZENTRIX_DEMO_AID_SCREENS);
};

TEST_F(DemoAids, ReferencesHintExhibitAndFeedbackOfNetworkFundamentals) {
    startOpenBook("NET-FUND");
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) {
        return q.REF.find("\\pict") != std::string::npos && !q.Hint.empty();
    }));
    QTest::mouseClick(test().btnReference(), Qt::LeftButton);
    engine::aids::TRefForm& references = aids().References();
    ASSERT_TRUE(references.isVisible());
    const QString shown = references.Help()->document()->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Default gateway"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar::ObjectReplacementCharacter)) << "the figure is in the text";
    shot("references.png", {&references});
    QTest::mouseClick(test().btnReference(), Qt::LeftButton);
    backToMainWindow();

    key(Qt::Key_H, Qt::ControlModifier);
    engine::aids::THintForm& hint = aids().Hint();
    ASSERT_TRUE(hint.isVisible());
    EXPECT_FALSE(hint.IsEmpty());
    shot("hint.png", {&hint});
    key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(hint.isVisible());
    backToMainWindow();

    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return !q.GRAPHIC.empty(); }));
    dialogs.answerNextDialog([&](QDialog& dialog) {
        dialog.show();
        EXPECT_FALSE(aids().Exhibit().PictureSize().isEmpty());
        shot("exhibit.png", {&dialog});
        QTest::mouseClick(aids().Exhibit().GIFImage1(), Qt::LeftButton, {}, QPoint(8, 8));
        return dialog.result();
    });
    QTest::mouseClick(test().btnExhibit(), Qt::LeftButton);
    EXPECT_EQ(dialogs.count(Event::Dialog), 1);
    backToMainWindow();

    answerRight();  // then the skin's "correct" picture
    dialogs.answerNextDialog([&](QDialog& dialog) {
        dialog.show();
        EXPECT_FALSE(aids().Feedback().GIFImage1()->pixmap().isNull());
        shot("feedback.png", {&dialog});
        dialog.accept();
        return dialog.result();
    });
    QTest::mouseClick(test().btnRight(), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(Event::Dialog).back(), QStringLiteral("Answer feedback"));
    EXPECT_EQ(dialogs.count(Event::Error), 0);
}

TEST_F(DemoAids, CaseStudyAndStepsOfNetworkServices) {
    startOpenBook("NET-SVC");
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.CaseID > 0; }));
    key(Qt::Key_K, Qt::ControlModifier);
    engine::aids::TfrmDisplayCaseStudy& study = aids().CaseStudy();
    ASSERT_TRUE(study.isVisible());
    EXPECT_EQ(study.windowTitle(), QStringLiteral("Harbour Street Clinic"));
    EXPECT_EQ(study.TabsInUse(), 4);
    shot("case-study.png", {&study});
    study.PageControl1()->setCurrentIndex(1);
    shot("case-study-second-tab.png", {&study});
    QTest::mouseClick(test().btnCaseStudy(), Qt::LeftButton);
    backToMainWindow();

    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.TYPE == kSimulation; }));
    // The simulation has the keyboard now: the steps come from their button.
    QTest::mouseClick(test().btnSteps(), Qt::LeftButton);
    engine::aids::TSteps& steps = aids().Steps();
    ASSERT_TRUE(steps.isVisible());
    EXPECT_GT(steps.ListBox1()->count(), 1);
    shot("steps.png", {&steps});
    EXPECT_EQ(dialogs.count(Event::Error), 0);
}

TEST_F(DemoAids, OpeningAnotherExamClearsTheCaseStudyOfTheLastOne) {
    startOpenBook("NET-SVC");
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.CaseID > 0; }));
    QTest::mouseClick(test().btnCaseStudy(), Qt::LeftButton);
    ASSERT_TRUE(aids().CaseStudy().isVisible());
    backToMainWindow();
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
    QTest::mouseClick(test().btnTMain(), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    main->SelectExamRow(row("NET-FUND", kExamRow));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !aids().CaseStudy().isVisible(); }));
}

}  // namespace
}  // namespace zentrix::demo
