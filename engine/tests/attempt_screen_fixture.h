#pragma once

// A shown main window over the fake bank, with the attempt's clock in the
// test's hands and questions in tree order ("NotRandomQuestions"), and the
// steps a learner takes to start an exam and to answer.

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <algorithm>

#include "engine/aids/texibit_form.h"
#include "engine/aids/tfrm_display_case_study.h"
#include "engine/aids/thint_form.h"
#include "engine/aids/tinfo_form.h"
#include "engine/aids/tref_form.h"
#include "engine/aids/tsteps.h"
#include "engine/attempt/exam_attempt.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_list_box.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/study_aid_windows.h"
#include "engine/screens/test_screen.h"
#include "engine/screens/tfrm_jump_to.h"
#include "engine/skin.h"
#include "engine_fixture.h"
#include "scripted_simulation_panel.h"
#include "ui/picture_button.h"

namespace zentrix::engine::testing {

// Rows of the fake tree (TwoCourseRows).
inline constexpr int kNet1Row = 1;
inline constexpr int kNetMixedRow = 3;

// A PNG file's bytes: one colour all over.
inline QByteArray PngOf(QSize size, Qt::GlobalColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

// Case study 2 of the tests: two tabs.
inline questionbank::CaseStudy HarbourClinicCase() {
    questionbank::CaseStudy study;
    study.number = 2;
    study.title = "Harbour clinic";
    study.tabCount = 2;
    study.tabNames = {"Overview", "Network"};
    study.tabTexts = {"The clinic.", "Two switches."};
    return study;
}

class AttemptScreenTest : public EngineFixture {
protected:
    void SetUp() override {
        writeRegistryKey();
        main = makeMainWindow({"zentrix", "NotRandomQuestions"});
        ASSERT_TRUE(main->StartupSucceeded());
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    void TearDown() override { main.reset(); }

    // Chooses the exam row and starts it as the learner would, with the mouse.
    void startSingle(ExamMode mode, int count = 0, int row = kNet1Row) {
        main->edName()->setText(QStringLiteral("Ada"));
        main->SelectExamRow(row);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
        if (count > 0) main->edtNumQuestions()->setValue(count);
        const char* button = mode == ExamMode::OpenBook ? "btnOpenBook" : "btnClosedBook";
        QTest::mouseClick(main->control(button), Qt::LeftButton);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    }
    void startMixed(int row = kNetMixedRow) {
        main->edName()->setText(QStringLiteral("Ada"));
        main->SelectExamRow(row);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::ComfirmQV);
        QTest::mouseClick(main->control("btnConfirmBegin"), Qt::LeftButton);
    }

    AttemptController& controller() const { return *main->Attempt(); }
    TestScreen& test() const { return controller().Test(); }
    ReviewScreen& review() const { return controller().Review(); }
    ResultsScreen& results() const { return controller().Results(); }
    const ExamAttempt& attempt() const { return controller().Attempt(); }
    StudyAidWindows& aids() const { return *dynamic_cast<StudyAidWindows*>(main->Aids()); }
    ScriptedSimulationPanel& panel() const {
        return *dynamic_cast<ScriptedSimulationPanel*>(main->Simulation());
    }

    void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // A key typed where the focus is, as the keyboard would.
    void key(int keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : main.get(), static_cast<Qt::Key>(keyCode), modifiers);
    }
    // Picks choice `index` of the question on screen with the mouse.
    void choose(int index) { click(test().Answer(index)->Button()); }

    // The steps window's rows, heading and text.
    QStringList stepRows() const {
        QStringList rows;
        const ui::TSpecialListBox& list = *aids().Steps().ListBox1();
        for (int i = 0; i < list.count(); ++i)
            rows.push_back(list.RowHeadings()[size_t(i)].heading + list.RowText(i));
        return rows;
    }
    // A skin with only its feedback pictures: green for a right answer, red
    // for a wrong one.
    void giveFeedbackPictures(QSize correct = {50, 40}, QSize incorrect = {60, 30}) {
        Skin skin;
        skin.correctStream = PngOf(correct, Qt::green);
        skin.incorrectStream = PngOf(incorrect, Qt::red);
        controller().ApplySkin(skin);
    }
    // How often the feedback picture was shown.
    int feedbackCount() const {
        const std::vector<QString> shown = dialogs.texts(RecordingDialogService::Event::Dialog);
        return int(std::count(shown.begin(), shown.end(), QStringLiteral("Answer feedback")));
    }

    std::unique_ptr<TfrmMain> main;
};

}  // namespace zentrix::engine::testing
