#include "engine/screens/test_screen.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include "engine/aids/study_text.h"
#include "engine/attempt/exam_attempt.h"
#include "engine/bank_text.h"
#include "engine/dialog_service.h"
#include "engine/screen_layout_table.h"
#include "engine/screens/control_registry.h"
#include "engine/screens/screen_parts.h"
#include "engine/screens/simulation_panel.h"
#include "engine/screens/study_aids.h"
#include "engine/screens/treport_popup.h"
#include "engine/skin.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
namespace {

using questionbank::TestQuestionInfo;

QString text(const std::string& bankText) { return BankText(bankText); }

}  // namespace

TestScreen::TestScreen(QWidget* window, ControlRegistry& registry, ExamAttempt& attempt,
                       AttemptBank& bank, StudyAids& aids, SimulationPanel& panel,
                       DialogService& dialogs, std::function<void(const QString&)> setCaption)
    : QObject(window),
      window_(window),
      attempt_(attempt),
      bank_(bank),
      aids_(aids),
      panel_(panel),
      dialogs_(dialogs),
      setCaption_(std::move(setCaption)) {
    area_ = new QScrollArea(window);
    area_->setFrameShape(QFrame::NoFrame);
    area_->setAutoFillBackground(true);
    area_->setWidgetResizable(false);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setFocusPolicy(Qt::StrongFocus);
    area_->setGeometry(QRect(QuestionAreaBounds::kParkedPosition, QuestionAreaBounds::kParkedSize));
    area_->hide();
    content_ = new QWidget;
    content_->setAutoFillBackground(true);
    content_->setObjectName(QStringLiteral("TestContent"));
    area_->setWidget(content_);
    registry.add("TestScrollBox", area_);

    QFont questionFont;
    questionFont.setPixelSize(14);
    question_ = new QLabel(content_);
    question_->setObjectName(QStringLiteral("lblQuestion"));
    question_->setWordWrap(true);
    question_->setTextFormat(Qt::PlainText);
    question_->setFont(questionFont);
    question_->setAutoFillBackground(true);
    question_->setMargin(kQuestionMargin);
    question_->setGeometry(kAnswerLeft, 1, kQuestionLabelWidth, 24);

    QFont answerFont;
    answerFont.setPixelSize(13);
    template_.parent = content_;
    template_.font = answerFont;
    template_.palette = content_->palette();
    template_.left = kAnswerLeft;
    template_.labelWidth = kAnswerLabelWidth;

    QWidget* simulation = panel_.Widget();
    simulation->setParent(window);
    simulation->setGeometry(QRect(QuestionAreaBounds::kSimulationPanelParkedPosition,
                                  QuestionAreaBounds::kSimulationPanelParkedSize));
    simulation->hide();
    registry.add("BZDemoQEngine1", simulation);

    left_ = AddScreenButton(window, registry, "btnLeft", "<", "Previous question", 54);
    right_ = AddScreenButton(window, registry, "btnRight", ">", "Next question", 54);
    questionNo_ = new QLabel(window);
    QFont numberFont;
    numberFont.setPixelSize(12);
    numberFont.setBold(true);
    questionNo_->setFont(numberFont);
    questionNo_->resize(130, 18);
    registry.add("lbQuestionNo", questionNo_);
    itemReview_ = AddScreenButton(window, registry, "btnItemReview", "Review",
                                  "Review the list of items", 54);
    caseStudy_ = AddScreenButton(window, registry, "btnCaseStudy", "Case", "Case study", 54);
    steps_ = AddScreenButton(window, registry, "btnSteps", "Steps", "Steps of the simulation", 54);
    exhibit_ = AddScreenButton(window, registry, "btnExhibit", "Exhibit", "Exhibit", 54);
    hint_ = AddScreenButton(window, registry, "btnHint", "Hint", "Hint", 54);
    reference_ = AddScreenButton(window, registry, "btnReference", "Ref", "References", 54);
    report_ = AddScreenButton(window, registry, "btnTReport", "Score", "Running score", 54);
    main_ = AddScreenButton(window, registry, "btnTMain", "Main", "Leave the exam", 46);
    jumpTo_ = AddScreenButton(window, registry, "btnJumpTo", "Jump", "Jump to a question", 54);

    // Not in the layout table: shown while the test screen is, by Prepare.
    mark_ = new ui::PictureButton(QStringLiteral("Mark"), window);
    mark_->setObjectName(QStringLiteral("btnMark"));
    mark_->setCheckable(true);
    mark_->setAccessibleName(QStringLiteral("Mark this question for review"));
    mark_->resize(54, 22);
    mark_->move(kMarkPosition);
    mark_->hide();
    markCaption_ = new QLabel(QStringLiteral("Mark for review"), window);
    markCaption_->setObjectName(QStringLiteral("lbMark"));
    markCaption_->setFont(numberFont);
    markCaption_->resize(130, 18);
    markCaption_->move(kMarkPosition + QPoint(28, 3));
    markCaption_->hide();
    timeCaption_ = new QLabel(QStringLiteral("Time Remaining"), window);
    timeCaption_->setObjectName(QStringLiteral("lbTimeRemaining"));
    timeCaption_->setFont(numberFont);
    timeCaption_->resize(110, 18);
    timeCaption_->move(kTimeCaptionPosition);
    timeCaption_->hide();
    time_ = new QLabel(window);
    time_->setObjectName(QStringLiteral("lblTime"));
    QFont timeFont;
    timeFont.setPixelSize(16);
    timeFont.setBold(true);
    time_->setFont(timeFont);
    time_->setAlignment(Qt::AlignCenter);
    time_->resize(90, 24);
    time_->move(kTimePosition);
    time_->setAccessibleName(QStringLiteral("Time remaining"));
    time_->hide();

    popup_ = new TReportPopup(window);
    popup_->hide();
    connect(popup_->ReturnToTest(), &QAbstractButton::clicked, popup_, &QWidget::hide);

    // Reading order: the question, its choices, then the buttons left to right.
    QWidget::setTabOrder(area_, left_);
    QWidget::setTabOrder(left_, right_);
    QWidget::setTabOrder(right_, mark_);
    QWidget::setTabOrder(mark_, jumpTo_);
    QWidget::setTabOrder(jumpTo_, itemReview_);
    QWidget::setTabOrder(itemReview_, caseStudy_);
    QWidget::setTabOrder(caseStudy_, steps_);
    QWidget::setTabOrder(steps_, exhibit_);
    QWidget::setTabOrder(exhibit_, hint_);
    QWidget::setTabOrder(hint_, reference_);
    QWidget::setTabOrder(reference_, report_);
    QWidget::setTabOrder(report_, main_);
}

TestScreen::~TestScreen() = default;

QWidget* TestScreen::SimulationWidget() const { return panel_.Widget(); }

void TestScreen::ApplySkin(const Skin& skin) {
    const struct {
        SkinPicture picture;
        ui::PictureButton* button;
    } targets[] = {
        {SkinPicture::ItemReviewButton, itemReview_}, {SkinPicture::JumpToButton, jumpTo_},
        {SkinPicture::CaseStudyButton, caseStudy_},   {SkinPicture::StepsButton, steps_},
        {SkinPicture::ExhibitButton, exhibit_},       {SkinPicture::HintButton, hint_},
        {SkinPicture::ReferenceButton, reference_},   {SkinPicture::ReportButton, report_},
        {SkinPicture::TestMainButton, main_},         {SkinPicture::MarkButton, mark_},
    };
    for (const auto& target : targets) {
        const QPixmap picture = SkinPixmap(skin, target.picture);
        if (picture.isNull()) continue;
        target.button->setPicture(picture);
        target.button->resize(picture.size());
    }
    markOpen_ = SkinPixmap(skin, SkinPicture::MarkOpen);
    markClosed_ = SkinPixmap(skin, SkinPicture::MarkClosed);
    correctPicture_ = skin.correctStream;
    incorrectPicture_ = skin.incorrectStream;
    popup_->SetPictures(SkinPixmap(skin, SkinPicture::ScorePopupBackground),
                        SkinPixmap(skin, SkinPicture::ReturnButton));

    const QColor dark = ColorFromNumber(skin.colors.dark);
    const QColor light = ColorFromNumber(skin.colors.light);
    QPalette area = area_->palette();
    area.setColor(QPalette::Window, light);
    area_->setPalette(area);
    QPalette contentColours = content_->palette();
    contentColours.setColor(QPalette::Window, light);
    content_->setPalette(contentColours);
    QPalette label = question_->palette();
    label.setColor(QPalette::Window, dark);
    question_->setPalette(label);
    template_.palette = contentColours;
    for (const auto& answer : answers_) {
        answer->RadioButton()->setPalette(contentColours);
        answer->CheckBox()->setPalette(contentColours);
        answer->Label()->setPalette(contentColours);
    }
    QPalette caption = timeCaption_->palette();
    caption.setColor(QPalette::WindowText, dark.darker(260));
    timeCaption_->setPalette(caption);
}

// ---- entering and leaving ----------------------------------------------------

void TestScreen::Entered() {
    placeForQuestion();
    area_->show();
    jumpTo_->hide();
    itemReview_->hide();
}

void TestScreen::Left() {
    aids_.LeaveTestScreen();
    HideScorePopup();
    mark_->hide();
    markCaption_->hide();
    time_->hide();
    timeCaption_->hide();
    area_->hide();
    area_->setGeometry(QRect(QuestionAreaBounds::kParkedPosition, QuestionAreaBounds::kParkedSize));
    panel_.Stop();
    QWidget* simulation = panel_.Widget();
    simulation->hide();
    simulation->setGeometry(QRect(QuestionAreaBounds::kSimulationPanelParkedPosition,
                                  QuestionAreaBounds::kSimulationPanelParkedSize));
}

QWidget* TestScreen::FocusOnEntry() const {
    if (inUse_ > 0 && answers_[0]->Button()->isVisible()) return answers_[0]->Button();
    return area_;
}

void TestScreen::Prepare() {
    main_->show();
    if (attempt_.Mode() != ExamMode::Mixed) report_->show();
    mark_->show();
    markCaption_->show();
    if (attempt_.Mode() != ExamMode::OpenBook) {
        time_->clear();
        time_->show();
        reference_->hide();
        hint_->hide();
        timeCaption_->show();
        attempt_.PrepareTiming();
    } else {
        // The question on screen was laid out before the screen was prepared:
        // its hint and reference buttons follow its texts, never an empty one.
        updateAidButtons();
    }
}

void TestScreen::ShowTimeLeft(const QString& text) { time_->setText(text); }

// ---- ShowQuestion ------------------------------------------------------------

void TestScreen::OnQuestion(const TestQuestionInfo& q) {
    Hourglass hourglass;
    QWidget* focus = QApplication::focusWidget();
    const bool focusInQuestion =
        !focus || focus == area_ || content_->isAncestorOf(focus) || !focus->isVisible();
    left_->setEnabled(false);
    right_->setEnabled(false);
    for (int i = 0; i < inUse_; ++i) answers_[static_cast<size_t>(i)]->SetVisible(false);
    inUse_ = 0;

    const ExamMode mode = attempt_.Mode();
    if (mode == ExamMode::Mixed) {
        const QString title = text(bank_.GetOpenTitle());
        setCaption_(title);
        aids_.SetStepsTitle(title);
    }

    // The buttons follow the texts as the windows clean them: a text that
    // shows nothing offers no window.
    hasReference_ = !aids::CleanStudyText(q.REF).isEmpty();
    hasHint_ = !aids::CleanStudyText(q.Hint).isEmpty();
    aids_.SetReferenceText(q.REF);
    aids_.SetHintText(q.Hint);

    exhibit_->hide();
    steps_->hide();
    aids_.HideSteps();
    HideScorePopup();
    if (!hasReference_) {
        reference_->hide();
    } else if (mode == ExamMode::OpenBook) {
        reference_->show();
    }
    if (!hasHint_) {
        hint_->hide();
    } else if (mode == ExamMode::OpenBook) {
        hint_->show();
    }

    if (bank_.HasCaseStudies()) {
        bool shown = false;
        if (q.CaseID >= 1) {
            aids_.SetCaseNumber(q.CaseID);
            shown = aids_.LoadCase(q.CaseID);
        }
        if (!shown) {
            aids_.ClearCase();
            aids_.SetCaseNumber(0);
        }
        caseStudy_->setVisible(shown);
    } else {
        // An exam without case studies never offers the case-study button.
        caseStudy_->hide();
    }

    const QString number = QStringLiteral("Question %1 of %2")
                               .arg(attempt_.CurrentItem() + 1)
                               .arg(attempt_.ItemCount());
    questionNo_->setText(number);
    area_->setAccessibleName(number);

    right_->show();
    left_->setVisible(attempt_.PreviousOffered());
    SetMarkFace(attempt_.Items().empty() ? false : attempt_.Current().Marked);

    question_->setText(text(q.QUESTION));
    question_->setAccessibleName(number + QStringLiteral(": ") + question_->text());
    if (q.TYPE == questionbank::kSimulation) {
        const QString path = writtenFile("simulation");
        panel_.LoadSimulation(path);
        placeForSimulation();
        aids_.SetStepsTitle(text(q.TITLE));
        if (mode != ExamMode::OpenBook) {
            steps_->hide();
        } else {
            aids_.ClearSteps();
            for (int i = 1; i <= std::min(q.NUMANSWER, kMaxStepsShown); ++i) {
                aids_.AddStep(QStringLiteral("Step %1: ").arg(i), text(bank_.GetAnswerText(i)));
            }
            steps_->show();
        }
        fitContent();
    } else {
        placeForQuestion();
        layOutChoices(q);
        if (!q.GRAPHIC.empty()) {
            const QString path = writtenFile("exhibit");
            if (!path.isEmpty()) {
                exhibit_->show();
                aids_.LoadExhibit(path);
            }
        }
    }
    area_->verticalScrollBar()->setValue(0);

    left_->setEnabled(true);
    right_->setEnabled(true);
    // A simulation keeps the focus its first frame gave (the panel, or the
    // field of that frame), so that the learner's keys go to it.
    if (q.TYPE != questionbank::kSimulation && focusInQuestion && area_->isVisible())
        focusFirstChoice();
    QAccessibleEvent announce(questionNo_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&announce);
}

QString TestScreen::writtenFile(const char* what) {
    xbase::Result<std::string> written = bank_.ExtractQuestionGraphic();
    if (written) return QString::fromStdString(written.value());
    dialogs_.error(QStringLiteral("The %1 file of this question could not be written:\n%2")
                       .arg(QString::fromLatin1(what), QString::fromStdString(written.message())));
    return QString();
}

void TestScreen::layOutChoices(const TestQuestionInfo& q) {
    const QuestionAnswer* item = attempt_.Items().empty() ? nullptr : &attempt_.Current();
    const bool restore = item && item->Seen && item->Answered;
    // A damaged answer-row count must not build thousands of widgets.
    const int choices = std::min(q.NUMANSWER, kMaxChoicesShown);
    switch (q.TYPE) {
        case questionbank::kSingleChoice:
            for (int i = 1; i <= choices; ++i) {
                addAnswer(text(bank_.GetAnswerText(i)), false, true,
                          restore && item->GivenAnswer == i);
            }
            break;
        case questionbank::kMultipleChoice:
            for (int i = 1; i <= choices; ++i) {
                const bool ticked = restore && i <= 31 && (item->GivenAnswer >> (i - 1)) & 1;
                addAnswer(text(bank_.GetAnswerText(i)), true, true, ticked);
            }
            break;
        case questionbank::kTrueFalse:
            addAnswer(QStringLiteral("True"), false, false, restore && item->GivenAnswer == 0);
            addAnswer(QStringLiteral("False"), false, false, restore && item->GivenAnswer == 1);
            break;
        default:
            break;
    }
    // Placement: 7 pixels under the question label, then 7 under each label.
    question_->resize(kQuestionLabelWidth, question_->heightForWidth(kQuestionLabelWidth));
    int top = question_->y() + question_->height() + kChoiceGap;
    for (int i = 0; i < inUse_; ++i) {
        TAnswer& answer = *answers_[static_cast<size_t>(i)];
        answer.SetTop(top);
        top += answer.LabelHeight() + kChoiceGap;
    }
    fitContent();
}

void TestScreen::addAnswer(const QString& choiceText, bool multiple, bool lettered, bool selected) {
    if (static_cast<int>(answers_.size()) < inUse_ + 1) {
        const QString letter(QChar(static_cast<char16_t>(u'A' + answers_.size())));
        answers_.push_back(std::make_unique<TAnswer>(template_, letter));
    }
    TAnswer& answer = *answers_[static_cast<size_t>(inUse_)];
    answer.SetText(choiceText);
    answer.SetKind(multiple);
    answer.SetLettered(lettered);
    answer.SetSelected(selected);
    answer.SetVisible(true);
    ++inUse_;
}

void TestScreen::placeForSimulation() {
    area_->setGeometry(QRect(QuestionAreaBounds::kPosition, QuestionAreaBounds::kSimulationSize));
    QWidget* simulation = panel_.Widget();
    simulation->setGeometry(QRect(QuestionAreaBounds::kSimulationPanelPosition,
                                  QuestionAreaBounds::kSimulationPanelSize));
    simulation->show();
    // The strip above the panel holds three lines without a scroll bar.
    question_->setMargin(kSimulationQuestionMargin);
    question_->resize(kQuestionLabelWidth, question_->heightForWidth(kQuestionLabelWidth));
}

void TestScreen::placeForQuestion() {
    question_->setMargin(kQuestionMargin);
    panel_.Stop();
    QWidget* simulation = panel_.Widget();
    simulation->hide();
    simulation->setGeometry(QRect(QuestionAreaBounds::kSimulationPanelParkedPosition,
                                  QuestionAreaBounds::kSimulationPanelParkedSize));
    area_->setGeometry(QRect(QuestionAreaBounds::kPosition, QuestionAreaBounds::kNormalSize));
}

void TestScreen::fitContent() {
    int bottom = question_->geometry().bottom();
    for (int i = 0; i < inUse_; ++i) {
        const TAnswer& answer = *answers_[static_cast<size_t>(i)];
        bottom = std::max(
            {bottom, answer.Top() + TAnswer::kButtonHeight, answer.Label()->geometry().bottom()});
    }
    // Full width while the question fits; room for the scroll bar when not.
    const QSize room = area_->maximumViewportSize();
    const int needed = bottom + (inUse_ > 0 ? kContentBottomGap : kSimulationQuestionMargin);
    const bool scrolls = needed > room.height();
    const int width = room.width() - (scrolls ? area_->verticalScrollBar()->sizeHint().width() : 0);
    content_->resize(width, std::max(needed, room.height()));
}

void TestScreen::focusFirstChoice() {
    if (inUse_ > 0) {
        answers_[0]->Button()->setFocus(Qt::OtherFocusReason);
    } else {
        area_->setFocus(Qt::OtherFocusReason);
    }
}

void TestScreen::updateAidButtons() {
    reference_->setVisible(hasReference_);
    hint_->setVisible(hasHint_);
}

AnswerCapture TestScreen::Capture() const {
    AnswerCapture capture;
    capture.selected.reserve(static_cast<size_t>(inUse_));
    for (int i = 0; i < inUse_; ++i) {
        capture.selected.push_back(answers_[static_cast<size_t>(i)]->Selected());
    }
    return capture;
}

void TestScreen::SetMarkFace(bool marked) {
    markTag_ = marked ? 0 : 1;
    mark_->setChecked(marked);
    const QPixmap& face = marked ? markClosed_ : markOpen_;
    if (!face.isNull()) {
        mark_->setPicture(face);
        mark_->resize(face.size());
    } else {
        mark_->setText(marked ? QStringLiteral("Marked") : QStringLiteral("Mark"));
    }
    mark_->setAccessibleDescription(marked ? QStringLiteral("Marked for review")
                                           : QStringLiteral("Not marked"));
    markCaption_->setText(marked ? QStringLiteral("Marked for review")
                                 : QStringLiteral("Mark for review"));
}

bool TestScreen::PickChoice(int index) {
    if (index < 0 || index >= inUse_) return false;
    TAnswer& answer = *answers_[static_cast<size_t>(index)];
    QAbstractButton* button = answer.Button();
    button->setFocus(Qt::ShortcutFocusReason);
    if (answer.Multiple()) {
        button->click();
    } else if (!button->isChecked()) {
        button->click();
    }
    return true;
}

// ---- score popup ---------------------------------------------------------------

void TestScreen::ToggleScorePopup() {
    if (popup_->isVisible()) {
        popup_->hide();
    } else {
        ShowScorePopup();
    }
}

void TestScreen::ShowScorePopup() {
    popup_->ShowCounts(TallyExam(attempt_.Items()));
    PlaceScorePopup();
    popup_->show();
    popup_->raise();
}

void TestScreen::HideScorePopup() { popup_->hide(); }

void TestScreen::PlaceScorePopup() {
    const QRect area(window_->mapToGlobal(QuestionAreaBounds::kPosition),
                     QuestionAreaBounds::kNormalSize);
    popup_->PlaceBy(area);
}

}  // namespace zentrix::engine
