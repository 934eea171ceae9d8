#include "engine/screens/study_aid_windows.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "engine/aids/texibit_form.h"
#include "engine/aids/tfrm_display_case_study.h"
#include "engine/aids/thint_form.h"
#include "engine/aids/tinfo_form.h"
#include "engine/aids/tref_form.h"
#include "engine/aids/tsteps.h"
#include "engine/attempt/attempt_bank.h"
#include "engine/dialog_service.h"
#include "engine/screens/beside_placement.h"

namespace zentrix::engine {
namespace {

// The bank's event carries a plain function; the case window is its context.
void clearShownCase(void* context) {
    auto& window = *static_cast<aids::TfrmDisplayCaseStudy*>(context);
    if (window.isVisible()) window.ClearCase();
}

}  // namespace

std::optional<questionbank::CaseStudy> StudyAidWindows::BankCases::FindCase(long number) {
    xbase::Result<questionbank::CaseStudy> found = bank_.FindCaseStudy(number);
    if (!found) return std::nullopt;
    return std::move(found).value();
}

StudyAidWindows::StudyAidWindows(QWidget* owner, DialogService& dialogs, AttemptBank& bank,
                                 std::unique_ptr<aids::CloseTimer> feedbackTimer)
    : owner_(owner),
      dialogs_(dialogs),
      bank_(bank),
      cases_(bank),
      hint_(std::make_unique<aids::THintForm>(owner)),
      references_(std::make_unique<aids::TRefForm>(owner)),
      steps_(std::make_unique<aids::TSteps>(owner)),
      exhibit_(std::make_unique<aids::TExibitForm>(owner)),
      feedback_(std::make_unique<aids::TInfoForm>(dialogs, owner, std::move(feedbackTimer))),
      case_(std::make_unique<aids::TfrmDisplayCaseStudy>(cases_, dialogs, owner)) {
    bank_.SetCaseStudyClosedHandler({clearShownCase, case_.get()});
}

StudyAidWindows::~StudyAidWindows() { bank_.SetCaseStudyClosedHandler({}); }

bool StudyAidWindows::IsAidWindow(const QWidget* window) const {
    const QWidget* const windows[] = {hint_.get(),    references_.get(), steps_.get(),
                                      exhibit_.get(), feedback_.get(),   case_.get()};
    return std::find(std::begin(windows), std::end(windows), window) != std::end(windows);
}

// ---- hint and references ------------------------------------------------------

void StudyAidWindows::SetHintText(std::string_view stored) { hint_->LoadText(stored); }
void StudyAidWindows::SetReferenceText(std::string_view stored) { references_->LoadText(stored); }

void StudyAidWindows::ToggleHint() { toggleTextWindow(*hint_, kTextWindowTop, hintPlaced_); }

void StudyAidWindows::ToggleReference() {
    toggleTextWindow(*references_, kTextWindowTop + kTextWindowGap, referencesPlaced_);
}

// The first showing places the window beside the main window
// (BesidePlacement): its side and width before it shows, its top once it
// has laid out its text and taken its height; later showings leave it where
// the learner put it. Every showing fits the height to the text.
void StudyAidWindows::toggleTextWindow(aids::StudyTextWindow& window, int topOffset, bool& placed) {
    if (window.isVisible()) {
        window.ToggleVisible();
        return;
    }
    std::optional<BesidePlacement> spot;
    QRect main;
    QRect available;
    if (!placed && owner_) {
        main = owner_->frameGeometry();
        const QScreen* screen = owner_->screen();
        available = screen ? screen->availableGeometry() : main;
        const int frameWidth = window.frameGeometry().width() - window.width();
        spot = BesidePlacement::Choose(main, available, window.frameGeometry().width());
        window.resize(spot->width - frameWidth, window.height());
        window.move(spot->left, main.top() + topOffset);
        placed = true;
    }
    window.ToggleVisible();
    window.FitHeightToText(kTextWindowMinHeight, kTextWindowMaxHeight);
    if (spot) {
        window.move(spot->left,
                    spot->Top(main, available, window.frameGeometry().height(), topOffset));
    }
}

// ---- steps ------------------------------------------------------------------------

void StudyAidWindows::SetStepsTitle(const QString& title) { steps_->SetTitle(title); }
void StudyAidWindows::ClearSteps() { steps_->Clear(); }
void StudyAidWindows::AddStep(const QString& heading, const QString& text) {
    steps_->AddStep(heading, text);
}
void StudyAidWindows::ToggleSteps() {
    steps_->ToggleFromMainWindow(owner_ ? owner_->frameGeometry() : QRect());
}
void StudyAidWindows::HideSteps() { steps_->hide(); }

// ---- exhibit and feedback ------------------------------------------------------------

void StudyAidWindows::LoadExhibit(const QString& path) {
    exhibitPath_ = path;
    exhibitLoaded_ = exhibit_->LoadPicture(path);
}

void StudyAidWindows::ShowExhibit() {
    if (!exhibitLoaded_) {
        // An empty window would say nothing; the learner is told which file.
        dialogs_.error(QStringLiteral("The exhibit picture of this question could not be read:\n") +
                       exhibitPath_);
        return;
    }
    dialogs_.runModal(*exhibit_);
}

void StudyAidWindows::ShowFeedback(const QByteArray& picture) {
    feedback_->ShowImage(picture, owner_ ? owner_->frameGeometry() : QRect());
}

// ---- case study -------------------------------------------------------------------------

bool StudyAidWindows::LoadCase(int number) { return case_->LoadCase(number); }
void StudyAidWindows::ClearCase() { case_->ClearCase(); }
void StudyAidWindows::SetCaseNumber(int number) { case_->SetCaseNumber(number); }
void StudyAidWindows::ToggleCase() { case_->ToggleVisible(); }
void StudyAidWindows::RememberCaseWindowSize() { caseSize_ = case_->size(); }
void StudyAidWindows::RestoreCaseWindowSize() {
    if (caseSize_.isValid()) case_->resize(caseSize_);
}

// ---- leaving the test screen -----------------------------------------------------------

void StudyAidWindows::LeaveTestScreen() {
    hint_->hide();
    references_->hide();
    steps_->hide();
    hint_->Clear();
    references_->Clear();
}

}  // namespace zentrix::engine
