#include "engine/screens/attempt_controller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

#include "engine/attempt/attempt_messages.h"
#include "engine/attempt/exam_counters.h"
#include "engine/attempt/result_figures.h"
#include "engine/attempt/review_list.h"
#include "engine/bank_text.h"
#include "engine/dialog_service.h"
#include "engine/screens/report_hooks.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/screen_host.h"
#include "engine/screens/screen_parts.h"
#include "engine/screens/simulation_panel.h"
#include "engine/screens/study_aids.h"
#include "engine/screens/test_screen.h"
#include "engine/screens/tfrm_jump_to.h"
#include "engine/screens/treport_popup.h"
#include "engine/skin.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
namespace {

void connectClick(ui::PictureButton* button, AttemptController* controller,
                  void (AttemptController::*handler)()) {
    QObject::connect(button, &QAbstractButton::clicked, controller, handler);
}

Qt::KeyboardModifiers commandModifiers(const QKeyEvent* event) {
    return event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

// A key of a button acts only while its button is offered; it is used up either way.
bool clickIfShown(ui::PictureButton* button) {
    if (button->isVisible() && button->isEnabled()) button->click();
    return true;
}

}  // namespace

AttemptController::AttemptController(Services services)
    : QObject(services.host.HostWindow()),
      s_(services),
      attempt_(std::make_unique<ExamAttempt>(s_.bank, s_.clock, s_.random)),
      history_(s_.history) {
    QWidget* window = s_.host.HostWindow();
    test_ = std::make_unique<TestScreen>(
        window, s_.registry, *attempt_, s_.bank, s_.aids, s_.panel, s_.dialogs,
        [this](const QString& caption) { s_.host.SetCaption(caption); });
    review_ = std::make_unique<ReviewScreen>(window, s_.registry, *attempt_);
    results_ = std::make_unique<ResultsScreen>(window, s_.registry);
    jumpTo_ = new TfrmJumpTo(window);
    attempt_->SetDisplay(test_.get());

    timer_.setInterval(kTimerInterval);
    connect(&timer_, &QTimer::timeout, this, &AttemptController::Timer1Timer);

    TestScreen& t = *test_;
    connectClick(t.btnRight(), this, &AttemptController::btnRightClick);
    connectClick(t.btnLeft(), this, &AttemptController::btnLeftClick);
    connectClick(t.btnMark(), this, &AttemptController::btnMarkClick);
    connectClick(t.btnJumpTo(), this, &AttemptController::btnJumpToClick);
    connectClick(t.btnItemReview(), this, &AttemptController::btnItemReviewClick);
    connectClick(t.btnTReport(), this, &AttemptController::btnTReportClick);
    connectClick(t.btnHint(), this, &AttemptController::btnHintClick);
    connectClick(t.btnReference(), this, &AttemptController::btnReferenceClick);
    connectClick(t.btnCaseStudy(), this, &AttemptController::btnCaseStudyClick);
    connectClick(t.btnExhibit(), this, &AttemptController::btnExhibitClick);
    connectClick(t.btnSteps(), this, &AttemptController::btnStepsClick);
    connectClick(t.btnTMain(), this, &AttemptController::btnTMainClick);
    ReviewScreen& r = *review_;
    connectClick(r.btnReview(), this, &AttemptController::btnReviewClick);
    connectClick(r.btnReviewInComplete(), this, &AttemptController::btnReviewIncompleteClick);
    connectClick(r.btnReturntoExam(), this, &AttemptController::btnReturntoExamClick);
    connectClick(r.btnExamResults(), this, &AttemptController::btnExamResultsClick);
    connect(&r, &ReviewScreen::reviewRequested, this, &AttemptController::btnReviewClick);
    r.OnLeft = [this] { test_->HideScorePopup(); };
    ResultsScreen& res = *results_;
    connectClick(res.btnViewStudy(), this, &AttemptController::btnViewStudyClick);
    connectClick(res.btnSaveStudy(), this, &AttemptController::btnSaveStudyClick);
    connectClick(res.btnViewExam(), this, &AttemptController::btnViewExamClick);
    connectClick(res.btnSaveExam(), this, &AttemptController::btnSaveExamClick);
    connectClick(res.btnOpenStudy(), this, &AttemptController::btnOpenStudyClick);
    connectClick(res.btnOpenExam(), this, &AttemptController::btnOpenStudyClick);
    connect(res.btnResultsMain(), &QAbstractButton::clicked, this,
            [this] { s_.host.ShowScreen(ScreenId::ExamResults, ScreenId::MainInterface); });
    connect(res.btnQuit(), &QAbstractButton::clicked, this, [this] { s_.host.CloseProgram(); });

    // The panel reports from inside its own event; the next question (which
    // may load the panel again) comes once that event has returned.
    s_.panel.OnCorrect = [this] {
        QMetaObject::invokeMethod(this, &AttemptController::BZDemoQEngine1CorrectEvent,
                                  Qt::QueuedConnection);
    };
    s_.panel.OnIncorrect = [this](int frame) {
        QMetaObject::invokeMethod(
            this, [this, frame] { BZDemoQEngine1InCorrectEvent(frame); }, Qt::QueuedConnection);
    };
    qApp->installEventFilter(this);
}

AttemptController::~AttemptController() {
    qApp->removeEventFilter(this);
    s_.panel.OnCorrect = nullptr;
    s_.panel.OnIncorrect = nullptr;
    attempt_->SetDisplay(nullptr);
}

void AttemptController::ApplySkin(const Skin& skin) {
    test_->ApplySkin(skin);
    results_->SetColors(skin.colors);
    jumpTo_->SetPictures(SkinPixmap(skin, SkinPicture::JumpToBackground),
                         SkinPixmap(skin, SkinPicture::JumpToOk),
                         SkinPixmap(skin, SkinPicture::JumpToClose));
}

// ---- starting ----------------------------------------------------------------

int AttemptController::StartSingleExam(ExamMode mode, const ExamSelection& selection,
                                       int requested) {
    test_->btnJumpTo()->show();
    test_->btnItemReview()->hide();
    const QString title = BankText(s_.bank.GetOpenTitle());
    s_.host.SetCaption(title);
    s_.aids.SetStepsTitle(title);
    warnedKeys_.clear();
    const std::string testId = selection.row >= 0 && selection.row < int(selection.rows.size())
                                   ? selection.rows[size_t(selection.row)].TestId
                                   : std::string();
    const int n = attempt_->StartSingle(mode, testId, requested, selection.randomOrder);
    if (n == 0) {
        abandon();
        return 0;
    }
    test_->btnLeft()->hide();
    fillJumpList();
    const MoveResult first = attempt_->ShowFirstQuestion();
    if (first.kind == MoveResult::Failed) {
        s_.dialogs.error(QString::fromLatin1(kQuestionNotShownMessage) + QStringLiteral("\n") +
                         QString::fromStdString(first.error));
        abandon();
        return 0;
    }
    attempt_->StartClock();
    s_.aids.RestoreCaseWindowSize();
    if (!openHistory(selection, testId)) return 0;
    prepareTestScreen();
    return n;
}

bool AttemptController::StartMixedExam(const ExamSelection& selection) {
    TestScreen& t = *test_;
    for (ui::PictureButton* button :
         {t.btnItemReview(), t.btnHint(), t.btnReference(), t.btnTReport(), t.btnSteps(),
          t.btnExhibit(), t.btnLeft(), t.btnJumpTo()}) {
        button->hide();
    }
    warnedKeys_.clear();
    MixedExamAssembly assembly;
    {
        Hourglass hourglass;
        assembly = attempt_->StartMixed(selection.rows, selection.row);
    }
    for (const AttemptMessage& message : assembly.messages) {
        s_.dialogs.showMessage(message.error ? MessageKind::Error : MessageKind::Information,
                               QString::fromStdString(message.text));
    }
    if (!assembly.assembled) {
        s_.host.ShowScreen(ScreenId::ComfirmQV, ScreenId::MainInterface);
        return false;
    }
    fillJumpList();
    s_.host.ShowScreen(ScreenId::ComfirmQV, ScreenId::TestWindow);
    attempt_->StartClock();
    prepareTestScreen();
    if (!openHistory(selection, std::string())) return false;
    const MoveResult first = attempt_->ShowFirstQuestion();
    if (first.kind == MoveResult::Failed) {
        s_.dialogs.error(QString::fromLatin1(kQuestionNotShownMessage) + QStringLiteral("\n") +
                         QString::fromStdString(first.error));
        abandon();
        return false;
    }
    return true;
}

bool AttemptController::openHistory(const ExamSelection& selection, const std::string& examId) {
    const std::string course = CourseOfRow(selection.rows, selection.row);
    if (history_.Open(selection.user, course, attempt_->Mode(), attempt_->ItemCount(), examId)) {
        return true;
    }
    s_.dialogs.error(QString::fromLatin1(kHistoryRecordMissingMessage));
    s_.host.ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
    attempt_->Reset();
    return false;
}

void AttemptController::abandon() {
    timer_.stop();
    attempt_->Reset();
    s_.host.ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
}

void AttemptController::fillJumpList() {
    std::vector<std::string> lines;
    lines.reserve(attempt_->Items().size());
    for (size_t i = 0; i < attempt_->Items().size(); ++i) {
        lines.push_back(JumpToLine(static_cast<int>(i), attempt_->Items()[i].QuestionTitle));
    }
    jumpTo_->Fill(lines);
}

void AttemptController::prepareTestScreen() {
    test_->Prepare();
    if (attempt_->Mode() != ExamMode::OpenBook) {
        timer_.start();
        Timer1Timer();  // the time left shows at once, not a quarter second later
    }
}

// ---- the test screen as a screen -----------------------------------------------

void AttemptController::Entered() {
    test_->Entered();
    // The mixed exam never offers the score popup, whichever way the screen
    // is entered.
    if (attempt_->Mode() == ExamMode::Mixed) test_->btnTReport()->hide();
}

void AttemptController::Left() {
    timer_.stop();
    test_->Left();
}

QWidget* AttemptController::FocusOnEntry() const { return test_->FocusOnEntry(); }

void AttemptController::WindowMoved() {
    if (test_->ReportPopup()->isVisible()) test_->PlaceScorePopup();
}

// ---- answers and moves -------------------------------------------------------

void AttemptController::recordAnswer() {
    if (attempt_->Items().empty()) return;
    const JudgeOutcome outcome = attempt_->RecordAnswer(test_->Capture());
    const int item = attempt_->CurrentItem();
    if (outcome.damagedKey && outcome.answered && warnedKeys_.insert(item).second) {
        s_.dialogs.error(QString::fromLatin1(kDamagedKeyMessage));
    }
    if (attempt_->FeedbackDue(outcome)) {
        s_.aids.ShowFeedback(outcome.correct ? test_->CorrectPicture() : test_->IncorrectPicture());
    }
    if (attempt_->StudyGuideDue(s_.host.StudyGuide().SG_AfterQues, outcome)) {
        attempt_->SuspendDisplay();
        s_.reports.StudyGuideAfterQuestion(reportData(), item);
        attempt_->ResumeDisplay();
    }
}

void AttemptController::followMove(const MoveResult& result) {
    switch (result.kind) {
        case MoveResult::Review:
            goToReview(true);
            break;
        case MoveResult::Failed:
            s_.dialogs.error(QString::fromLatin1(kQuestionNotShownMessage) + QStringLiteral("\n") +
                             QString::fromStdString(result.error));
            break;
        case MoveResult::Shown:
        case MoveResult::Stayed:
            break;
    }
}

void AttemptController::goToReview(bool tally) {
    if (tally) review_->ShowCounters(TallyExam(attempt_->Items()), attempt_->Mode());
    s_.host.ShowScreen(ScreenId::TestWindow, ScreenId::ExamReview);
    review_->Fill();
}

void AttemptController::leaveQuestion(MoveResult (ExamAttempt::*move)()) {
    if (s_.host.CurrentScreen() != ScreenId::TestWindow || attempt_->Items().empty() || moving_)
        return;
    moving_ = true;
    {
        Hourglass hourglass;
        s_.aids.HideSteps();
        test_->HideScorePopup();
        recordAnswer();
    }
    followMove(((*attempt_).*move)());
    moving_ = false;
}

void AttemptController::btnRightClick() { leaveQuestion(&ExamAttempt::Next); }
void AttemptController::btnLeftClick() { leaveQuestion(&ExamAttempt::Previous); }

void AttemptController::BZDemoQEngine1CorrectEvent() {
    if (s_.host.CurrentScreen() != ScreenId::TestWindow) return;
    attempt_->RecordSimulationOutcome(true);
    btnRightClick();
}

void AttemptController::BZDemoQEngine1InCorrectEvent(int) {
    if (s_.host.CurrentScreen() != ScreenId::TestWindow) return;
    attempt_->RecordSimulationOutcome(false);
    btnRightClick();
}

void AttemptController::btnMarkClick() {
    if (attempt_->Items().empty()) return;
    test_->SetMarkFace(attempt_->ToggleMark());
}

void AttemptController::btnJumpToClick() {
    if (!test_->btnJumpTo()->isVisible() || attempt_->Items().empty()) return;
    jumpTo_->ResetResult();
    jumpTo_->SelectRow(attempt_->CurrentItem());
    jumpTo_->CentreOver(s_.host.HostWindow());
    s_.dialogs.runModal(*jumpTo_);
    const int index = jumpTo_->SelectedIndex();
    if (!jumpTo_->Confirmed() || index < 0 || index >= attempt_->ItemCount()) return;
    s_.aids.HideSteps();
    test_->HideScorePopup();
    recordAnswer();
    followMove(attempt_->JumpTo(index));
}

void AttemptController::btnItemReviewClick() {
    if (!test_->btnItemReview()->isVisible()) return;
    recordAnswer();
    goToReview(true);
}

void AttemptController::btnTReportClick() {
    if (attempt_->Mode() == ExamMode::Mixed || !test_->btnTReport()->isVisible()) return;
    test_->ToggleScorePopup();
}

void AttemptController::btnHintClick() {
    if (test_->btnHint()->isVisible()) s_.aids.ToggleHint();
}

void AttemptController::btnReferenceClick() {
    if (test_->btnReference()->isVisible()) s_.aids.ToggleReference();
}

void AttemptController::btnCaseStudyClick() {
    if (test_->btnCaseStudy()->isVisible()) s_.aids.ToggleCase();
}

void AttemptController::btnExhibitClick() {
    if (test_->btnExhibit()->isVisible()) s_.aids.ShowExhibit();
}

void AttemptController::btnStepsClick() {
    if (test_->btnSteps()->isVisible()) s_.aids.ToggleSteps();
}

void AttemptController::btnTMainClick() {
    if (s_.host.ConfirmExitExam()) LeaveExam();
}

void AttemptController::LeaveExam() {
    if (!attempt_->ExamEnded() && s_.host.CurrentScreen() == ScreenId::TestWindow) recordAnswer();
    finishHistory();
    s_.host.ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
}

void AttemptController::Timer1Timer() {
    if (s_.host.CurrentScreen() != ScreenId::TestWindow) {
        timer_.stop();
        return;
    }
    const CountdownTick tick = attempt_->Tick();
    if (!tick.timed) {
        test_->ShowTimeLeft(QStringLiteral("No limit"));
        return;
    }
    if (!tick.timeUp) {
        test_->ShowTimeLeft(QString::fromStdString(tick.left));
        return;
    }
    timer_.stop();
    // The answer on screen counts when the time runs out in the first pass;
    // a visit after the end changes nothing.
    if (!attempt_->ExamEnded()) {
        attempt_->RecordAnswer(test_->Capture());
    }
    s_.dialogs.information(QString::fromLatin1(kTimeIsUpMessage));
    attempt_->EndAttempt();
    goToReview(true);
    test_->ShowScorePopup();
}

// ---- review and results ------------------------------------------------------------

void AttemptController::btnReviewClick() {
    if (s_.host.CurrentScreen() != ScreenId::ExamReview || !attempt_->ExamEnded()) return;
    QSpinBox* number = review_->ReviewItemEdit();
    const int value = std::clamp(number->value(), 1, std::max(attempt_->ItemCount(), 1));
    number->setValue(value);
    s_.host.ShowScreen(ScreenId::ExamReview, ScreenId::TestWindow);
    prepareTestScreen();
    test_->btnItemReview()->show();
    test_->btnJumpTo()->hide();
    followMove(attempt_->ReviewItem(value));
}

void AttemptController::btnReviewIncompleteClick() {
    if (s_.host.CurrentScreen() != ScreenId::ExamReview) return;
    if (!attempt_->FirstIncompleteItem()) {
        attempt_->ReviewIncomplete();  // starts the pass; there is nothing to show
        return;
    }
    s_.host.ShowScreen(ScreenId::ExamReview, ScreenId::TestWindow);
    prepareTestScreen();
    test_->btnItemReview()->show();
    test_->btnJumpTo()->hide();
    followMove(attempt_->ReviewIncomplete());
}

void AttemptController::btnReturntoExamClick() {
    if (s_.host.CurrentScreen() != ScreenId::ExamReview) return;
    s_.host.ShowScreen(ScreenId::ExamReview, ScreenId::TestWindow);
    prepareTestScreen();
    followMove(attempt_->ReturnToExam());
}

void AttemptController::btnExamResultsClick() {
    if (s_.host.CurrentScreen() != ScreenId::ExamReview) return;
    s_.host.ShowScreen(ScreenId::ExamReview, ScreenId::ExamResults);
    finishHistory();
    const ExamCounters counters = TallyExam(attempt_->Items());
    results_->ShowResults(
        ComputeResultFigures(counters.total, counters.correct, results_->BarBorder()->width()));
}

void AttemptController::finishHistory() { history_.Finish(attempt_->Items()); }

AttemptReportData AttemptController::reportData() const {
    AttemptReportData data = s_.host.ReportData();
    data.items = &attempt_->Items();
    data.mode = attempt_->Mode();
    data.bank = &s_.bank;
    return data;
}

void AttemptController::runReport(void (ReportHooks::*hook)(const AttemptReportData&)) {
    // The reports move the question cursor; the test screen must not follow.
    attempt_->SuspendDisplay();
    (s_.reports.*hook)(reportData());
}

void AttemptController::btnViewStudyClick() { runReport(&ReportHooks::ViewStudyGuide); }
void AttemptController::btnSaveStudyClick() { runReport(&ReportHooks::SaveStudyGuide); }
void AttemptController::btnViewExamClick() { runReport(&ReportHooks::ViewCertificate); }
void AttemptController::btnSaveExamClick() { runReport(&ReportHooks::SaveCertificate); }
void AttemptController::btnOpenStudyClick() { runReport(&ReportHooks::OpenSavedReport); }

// ---- keyboard ----------------------------------------------------------------

bool AttemptController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || s_.host.CurrentScreen() != ScreenId::TestWindow) return false;
    // In an aid window its own key opens or closes it again, and the other
    // aids' keys work too; every other key stays with the window.
    if (s_.aids.IsAidWindow(widget->window())) return handleAidKey(static_cast<QKeyEvent*>(event));
    if (widget->window() != s_.host.HostWindow()) return false;
    // A key the simulation leaves alone travels on to the main window; it
    // still belongs to the simulation that has the focus.
    QWidget* simulation = s_.panel.Widget();
    for (QWidget* target : {widget, QApplication::focusWidget()}) {
        if (target && (target == simulation || simulation->isAncestorOf(target))) return false;
    }
    return handleKey(static_cast<QKeyEvent*>(event));
}

bool AttemptController::handleAidKey(QKeyEvent* event) {
    if (commandModifiers(event) != Qt::ControlModifier) return false;
    TestScreen& t = *test_;
    switch (event->key()) {
        case Qt::Key_H:
            return clickIfShown(t.btnHint());
        case Qt::Key_R:
            return clickIfShown(t.btnReference());
        case Qt::Key_E:
            return clickIfShown(t.btnExhibit());
        case Qt::Key_K:
            return clickIfShown(t.btnCaseStudy());
        case Qt::Key_T:
            return clickIfShown(t.btnSteps());
        default:
            return false;
    }
}

bool AttemptController::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = commandModifiers(event);
    const int key = event->key();
    TestScreen& t = *test_;
    if (modifiers == Qt::ControlModifier) {
        switch (key) {
            case Qt::Key_M:
                return clickIfShown(t.btnMark());
            case Qt::Key_J:
                return clickIfShown(t.btnJumpTo());
            case Qt::Key_S:
                return clickIfShown(t.btnTReport());
            case Qt::Key_I:
                return clickIfShown(t.btnItemReview());
            default:
                return handleAidKey(event);
        }
    }
    if (modifiers != Qt::NoModifier) return false;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Right:
            return clickIfShown(t.btnRight());
        case Qt::Key_Left:
            return clickIfShown(t.btnLeft());
        case Qt::Key_Escape:
            return clickIfShown(t.btnTMain());
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QScrollBar* bar = t.TestScrollBox()->verticalScrollBar();
            bar->triggerAction(key == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                     : QAbstractSlider::SliderPageStepAdd);
            return true;
        }
        default:
            break;
    }
    if (attempt_->Items().empty() || !attempt_->HasShownQuestion()) return false;
    const int type = attempt_->ShownQuestion().TYPE;
    if (type == questionbank::kTrueFalse && (key == Qt::Key_T || key == Qt::Key_F)) {
        return t.PickChoice(key == Qt::Key_T ? 0 : 1);
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_9) return t.PickChoice(key - Qt::Key_1) || true;
    if (key >= Qt::Key_A && key <= Qt::Key_Z && type != questionbank::kTrueFalse) {
        return t.PickChoice(key - Qt::Key_A) || true;
    }
    return false;
}

}  // namespace zentrix::engine
