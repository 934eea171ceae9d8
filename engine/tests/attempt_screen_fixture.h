#pragma once

// A shown main window over the fake bank, with the attempt's clock in the
// test's hands and questions in tree order ("NotRandomQuestions"), and the
// steps a learner takes to start an exam and to answer.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

#include "engine/attempt/exam_attempt.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/plain_study_aids.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_list_box.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/test_screen.h"
#include "engine/screens/tfrm_jump_to.h"
#include "engine_fixture.h"
#include "scripted_simulation_panel.h"
#include "ui/picture_button.h"

namespace zentrix::engine::testing {

// Rows of the fake tree (TwoCourseRows).
inline constexpr int kNet1Row = 1;
inline constexpr int kNetMixedRow = 3;

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
    PlainStudyAids& aids() const { return *dynamic_cast<PlainStudyAids*>(main->Aids()); }
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

    std::unique_ptr<TfrmMain> main;
};

}  // namespace zentrix::engine::testing
