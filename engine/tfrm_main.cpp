#include "engine/tfrm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <string_view>

#include "base/ascii_text.h"
#include "engine/attempt/attempt_messages.h"
#include "engine/attempt/exam_clock.h"
#include "engine/attempt/random_source.h"
#include "engine/bank_text.h"
#include "engine/command_line.h"
#include "engine/desktop_shell.h"
#include "engine/dialog_service.h"
#include "engine/require_graphic.h"
#include "engine/screen_layout_table.h"
#include "engine/screens/attempt_controller.h"
#include "engine/screens/confirm_screen.h"
#include "engine/screens/demo_q_engine_panel.h"
#include "engine/screens/exam_type_screen.h"
#include "engine/screens/main_screen.h"
#include "engine/screens/report_hooks.h"
#include "engine/screens/report_windows.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/screen_parts.h"
#include "engine/screens/study_aid_windows.h"
#include "engine/screens/test_screen.h"
#include "engine/skin_loader.h"
#include "engine/tfrm_about_box.h"
#include "engine/tfrm_confirm_exit_exam.h"
#include "engine/tfrm_options.h"
#include "platform/profile_store.h"
#include "ui/picture_button.h"
#include "ui/report/print_service.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::engine {
namespace {

using questionbank::QVSimListInfo;

constexpr int kTreeTextColumnMargin = 20;

std::string trimBlanks(const std::string& text) {
    return base::ascii::trimmed(text, base::ascii::kBlank);
}

// The look of a screen until a skin supplies its picture.
QPixmap builtInBackground() {
    QPixmap picture(TfrmMain::kClientWidth, TfrmMain::kClientHeight);
    QPainter painter(&picture);
    QLinearGradient fill(0, 0, 0, TfrmMain::kClientHeight);
    fill.setColorAt(0, QColor(233, 238, 243));
    fill.setColorAt(1, QColor(208, 218, 228));
    painter.fillRect(picture.rect(), fill);
    painter.fillRect(QRect(0, 0, TfrmMain::kClientWidth, 26), QColor(44, 74, 104));
    painter.setPen(Qt::white);
    QFont title;
    title.setPixelSize(14);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(120, 0, 400, 26), Qt::AlignCenter, QStringLiteral("Zentrix"));
    return picture;
}

struct PictureTarget {
    SkinPicture picture;
    const char* control;
};

// The title strip's pictures; the screens apply their own.
constexpr PictureTarget kTitleStripPictures[] = {
    {SkinPicture::HelpButton, "btHelp_About"},
    {SkinPicture::MinimizeButton, "BtnMinimize"},
    {SkinPicture::CloseButton, "btnCloseProg"},
};

}  // namespace

TfrmMain::TfrmMain(MainWindowContext context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Zentrix"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    background_ = new QLabel(this);
    background_->setObjectName(QStringLiteral("imBackground"));
    background_->setGeometry(0, 0, kClientWidth, kClientHeight);
    background_->setPixmap(builtInBackground());
    background_->setAccessibleName(QStringLiteral("Zentrix"));
    background_->installEventFilter(this);
    mainScreen_ = std::make_unique<MainScreen>(this, controls_);
    examTypeScreen_ = std::make_unique<ExamTypeScreen>(this, controls_);
    confirmScreen_ = std::make_unique<ConfirmScreen>(this, controls_);
    buildTitleStrip();
    connectScreens();
    runStartup();
}

TfrmMain::~TfrmMain() {
    // The attempt unregisters from the bank before the data objects go.
    attempt_.reset();
    aids_.reset();
    simulation_.reset();
}

ui::CourseTreeView* TfrmMain::vsiTestSelectBox() const { return mainScreen_->vsiTestSelectBox(); }
QLineEdit* TfrmMain::edName() const { return mainScreen_->edName(); }
QSpinBox* TfrmMain::edtNumQuestions() const { return examTypeScreen_->edtNumQuestions(); }
QLabel* TfrmMain::lbNoQuestions() const { return examTypeScreen_->lbNoQuestions(); }

ExamMode TfrmMain::CurrentExamMode() const {
    return attempt_ ? attempt_->Attempt().Mode() : ExamMode::OpenBook;
}

// ---- start-up ---------------------------------------------------------------

void TfrmMain::runStartup() {
    randomQuestionOrder_ = RandomQuestionOrderFromArguments(context_.arguments);

    std::optional<EngineFolders> folders = ReadEngineFolders(context_.registry);
    if (!folders) {
        context_.dialogs.information(QString::fromLatin1(kRegistryKeyMissingMessage));
        return;
    }
    folders_ = *folders;

    ui::CourseTreeView* tree = vsiTestSelectBox();
    tree->clear();
    for (const ControlPlacement& placement : ScreenLayoutTable(ScreenId::MainInterface)) {
        if (placement.control == std::string_view("vsiTestSelectBox") && placement.shownSize) {
            tree->setTextColumnWidth(placement.shownSize->width() - kTreeTextColumnMargin);
        }
    }

    if (context_.openData) {
        data_ = std::make_unique<EngineData>(context_.openData(folders_, context_.dialogs));
    }
    buildAttempt();

    if (data_ && data_->bank) data_->bank->ListQVSelectTitles(*this, true, false);
    ShowScreen(ScreenId::None, ScreenId::MainInterface);

    settingsFile_ =
        std::make_unique<StudyGuideSettingsFile>(context_.profiles, context_.settingsFile);
    studyGuide_ = settingsFile_->readOrCreate(studyGuide_);

    startupSucceeded_ = true;
}

void TfrmMain::buildAttempt() {
    if (!data_ || !data_->bank) return;
    ScreenPlugins& plugins = context_.plugins;
    clock_ = plugins.clock ? plugins.clock : std::make_shared<SystemExamClock>();
    random_ = plugins.random ? plugins.random : std::make_shared<ClockSeededRandom>();
    // The program's reports, unless a test brought its own.
    if (!plugins.reports && data_->testing) plugins.reports = makeReportWindows();
    reports_ =
        plugins.reports ? plugins.reports : std::make_shared<PendingReportHooks>(context_.dialogs);
    if (plugins.simulationPanel) simulation_ = plugins.simulationPanel(this, context_.dialogs);
    if (!simulation_) simulation_ = std::make_unique<DemoQEnginePanel>(this, context_.dialogs);
    ExamBank& bank = *data_->bank;
    if (plugins.studyAids) aids_ = plugins.studyAids(this, context_.dialogs, bank);
    if (!aids_) aids_ = std::make_unique<StudyAidWindows>(this, context_.dialogs, bank);
    attempt_ = std::make_unique<AttemptController>(
        AttemptController::Services{*this, controls_, bank, data_->history.get(), context_.dialogs,
                                    *aids_, *simulation_, *reports_, *clock_, *random_});
}

void TfrmMain::OnSelectBegin() {
    vsiTestSelectBox()->clear();
    rows_.clear();
}

void TfrmMain::OnSelectItem(const QVSimListInfo& row) {
    QVSimListInfo trimmed = row;
    trimmed.CourseId = trimBlanks(row.CourseId);
    trimmed.TestId = trimBlanks(row.TestId);
    trimmed.Title = trimBlanks(row.Title);
    rows_.push_back(std::move(trimmed));
}

void TfrmMain::OnSelectEnd() {
    QStringList items;
    items.reserve(static_cast<qsizetype>(rows_.size()));
    for (const QVSimListInfo& row : rows_) {
        const int level = row.NodeKind == questionbank::kQuestionRow ? 2
                          : row.NodeKind == questionbank::kCourseRow ? 0
                                                                     : 1;
        items.push_back(QString(level, QLatin1Char(' ')) + BankText(row.Title));
    }
    vsiTestSelectBox()->addItems(items);
    vsiTestSelectBox()->refreshVisibleRows();
}

ui::CourseTreeRowStyle TfrmMain::rowStyle(int item) const {
    ui::CourseTreeRowStyle style;
    if (item < 0 || item >= static_cast<int>(rows_.size())) return style;
    const QVSimListInfo& row = rows_[static_cast<size_t>(item)];
    switch (row.NodeKind) {
        case questionbank::kExamRow:
            style.fontNumber = ui::CourseTreeFonts::kLevel2;
            break;
        case questionbank::kQuestionRow:
            style.fontNumber = ui::CourseTreeFonts::kLevel3;
            break;
        case questionbank::kMixedRow:
            style.fontNumber = ui::CourseTreeFonts::kSpecial;
            break;
        default:
            style.fontNumber = ui::CourseTreeFonts::kLevel1;
            break;
    }
    style.status = {row.pPS, row.gPS, row.qPS};
    return style;
}

// ---- building ----------------------------------------------------------------

void TfrmMain::buildTitleStrip() {
    struct TitleButton {
        const char* name;
        const char* caption;
        const char* accessible;
        QRect bounds;
        void (TfrmMain::*handler)();
    };
    const TitleButton buttons[] = {
        {"btnGoWebSite", "Web Site", "Zentrix web site", QRect(8, 3, 84, 20),
         &TfrmMain::btnGoWebSiteClick},
        {"btHelp_About", "?", "Help and about", QRect(560, 3, 22, 20),
         &TfrmMain::btHelp_AboutClick},
        {"BtnMinimize", "_", "Minimise", QRect(586, 3, 22, 20), &TfrmMain::BtnMinimizeClick},
        {"btnCloseProg", "X", "Close", QRect(612, 3, 22, 20), &TfrmMain::btnCloseProgClick},
    };
    for (const TitleButton& spec : buttons) {
        auto* button = new ui::PictureButton(QString::fromLatin1(spec.caption), this);
        controls_.add(spec.name, button);
        button->setGeometry(spec.bounds);
        button->setAccessibleName(QString::fromLatin1(spec.accessible));
        // The strip is for the mouse; its keys are the screens' own.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QAbstractButton::clicked, this, spec.handler);
    }
}

void TfrmMain::connectScreens() {
    MainScreen& m = *mainScreen_;
    m.vsiTestSelectBox()->setStyleProvider([this](int item) { return rowStyle(item); });
    connect(m.vsiTestSelectBox(), &ui::CourseTreeView::itemClicked, this,
            &TfrmMain::vsiTestSelectBoxClick);
    connect(m.vsiTestSelectBox(), &ui::CourseTreeView::itemActivated, this,
            &TfrmMain::vsiTestSelectBoxActivate);
    connect(m.BtnMainEnter(), &QAbstractButton::clicked, this, &TfrmMain::BtnMainEnterClick);
    connect(m.btOptions(), &QAbstractButton::clicked, this, &TfrmMain::btOptionsClick);
    connect(m.btnHistory(), &QAbstractButton::clicked, this, &TfrmMain::btnHistoryClick);
    connect(m.btnExit(), &QAbstractButton::clicked, this, &TfrmMain::btnExitClick);
    ExamTypeScreen& t = *examTypeScreen_;
    connect(t.btnOpenBook(), &QAbstractButton::clicked, this, &TfrmMain::btnOpenBookClick);
    connect(t.btnClosedBook(), &QAbstractButton::clicked, this, &TfrmMain::btnClosedBookClick);
    connect(t.btnExamTypeMain(), &QAbstractButton::clicked, this, &TfrmMain::btnExamTypeMainClick);
    ConfirmScreen& c = *confirmScreen_;
    connect(c.btnConfirmBegin(), &QAbstractButton::clicked, this, &TfrmMain::btnConfirmBeginClick);
    connect(c.btnConfirmMain(), &QAbstractButton::clicked, this, &TfrmMain::btnConfirmMainClick);
}

// ---- switching screens -------------------------------------------------------

ScreenController* TfrmMain::controllerOf(ScreenId screen) const {
    switch (screen) {
        case ScreenId::MainInterface:
            return mainScreen_.get();
        case ScreenId::QVTestType:
            return examTypeScreen_.get();
        case ScreenId::ComfirmQV:
            return confirmScreen_.get();
        case ScreenId::TestWindow:
            return attempt_.get();
        case ScreenId::ExamReview:
            return attempt_ ? &attempt_->Review() : nullptr;
        case ScreenId::ExamResults:
            return attempt_ ? &attempt_->Results() : nullptr;
        case ScreenId::None:
            break;
    }
    return nullptr;
}

void TfrmMain::ShowScreen(ScreenId leave, ScreenId enter) {
    if (leave == ScreenId::None) {
        for (ScreenId screen : kAllScreens) hideScreen(screen);
    } else {
        hideScreen(leave);
    }
    if (enter != ScreenId::None) enterScreen(enter);
    currentScreen_ = enter;
    if (ScreenController* controller = controllerOf(enter)) {
        if (QWidget* focus = controller->FocusOnEntry(); focus && isVisible()) {
            focus->setFocus(Qt::OtherFocusReason);
        }
    }
    if (isVisible()) repaint();
}

void TfrmMain::hideScreen(ScreenId screen) {
    for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
        QWidget* widget = controls_.find(placement.control);
        if (!widget) continue;
        widget->hide();
        widget->move(placement.parked);
        if (placement.parkedSize) widget->resize(*placement.parkedSize);
    }
    if (ScreenController* controller = controllerOf(screen)) controller->Left();
}

void TfrmMain::enterScreen(ScreenId screen) {
    loadBackground(screen);
    for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
        QWidget* widget = controls_.find(placement.control);
        if (!widget) continue;
        widget->move(placement.shown);
        if (placement.shownSize) widget->resize(*placement.shownSize);
        widget->show();
    }
    if (ScreenController* controller = controllerOf(screen)) controller->Entered();
}

void TfrmMain::loadBackground(ScreenId screen) {
    const std::optional<std::string> name = skin_.backgrounds.fileNameFor(screen);
    if (!name) return;
    std::string path = *name;
    if (!folders_.GraphicDir.empty() && IsExistingFile(folders_.GraphicDir + *name)) {
        path = folders_.GraphicDir + *name;
    }
    if (IsExistingFile(path)) {
        QPixmap picture(QString::fromStdString(path));
        if (!picture.isNull()) background_->setPixmap(picture);
    }
    background_->lower();
}

// ---- skin ------------------------------------------------------------------

void TfrmMain::LoadSkin(const std::string& folder) {
    SkinLoader loader(context_.profiles, context_.dialogs);
    skin_ = loader.LoadSkin(folder);
    applySkin();
}

void TfrmMain::applySkin() {
    for (const PictureTarget& target : kTitleStripPictures) {
        auto* button = qobject_cast<ui::PictureButton*>(controls_.find(target.control));
        const QPixmap picture = SkinPixmap(skin_, target.picture);
        if (!button || picture.isNull()) continue;
        button->setPicture(picture);
        button->resize(picture.size());
    }
    if (attempt_) attempt_->ApplySkin(skin_);
    // The screen already shown was entered before the skin named its picture.
    if (currentScreen_ != ScreenId::None) loadBackground(currentScreen_);
}

// ---- main screen -----------------------------------------------------------

int TfrmMain::currentRow() const {
    const int item = vsiTestSelectBox()->currentItem();
    return item < 0 ? 0 : item;
}

void TfrmMain::BtnMainEnterClick() {
    const int row = currentRow();
    if (row < static_cast<int>(rows_.size())) {
        const QVSimListInfo& info = rows_[static_cast<size_t>(row)];
        if (info.NodeKind == questionbank::kExamRow || info.NodeKind == questionbank::kMixedRow) {
            SelectExamRow(row);
            return;
        }
    }
    context_.dialogs.beep();
    const bool titled =
        row < static_cast<int>(rows_.size()) && !rows_[static_cast<size_t>(row)].Title.empty();
    context_.dialogs.information(titled ? QStringLiteral("You are on a Course title.")
                                        : QStringLiteral("You are on a blank line."));
}

void TfrmMain::vsiTestSelectBoxClick(int) { vsiTestSelectBox()->refreshVisibleRows(); }

void TfrmMain::vsiTestSelectBoxActivate(int item) {
    if (item < 0 || item >= static_cast<int>(rows_.size())) return;
    const QVSimListInfo& row = rows_[static_cast<size_t>(item)];
    if (row.NodeKind == questionbank::kExamRow || row.NodeKind == questionbank::kMixedRow) {
        SelectExamRow(item);
    } else if (!row.Title.empty()) {
        vsiTestSelectBox()->toggleFold(item);
    } else {
        context_.dialogs.beep();
        context_.dialogs.information(QStringLiteral("You clicked on a blank line!"));
    }
}

void TfrmMain::SelectExamRow(int item) {
    if (item < 0 || item >= static_cast<int>(rows_.size())) return;
    QLineEdit* name = edName();
    if (name->text().isEmpty()) {
        context_.dialogs.beep();
        context_.dialogs.error(QStringLiteral("A User Name is required."));
        name->setFocus();
        return;
    }
    candidateName_ = name->text();
    Hourglass hourglass;

    const QVSimListInfo row = rows_[static_cast<size_t>(item)];
    selectedTestId_ = row.TestId;
    ExamBank* bank = data_ ? data_->bank.get() : nullptr;
    if (bank && bank->IsOpen()) bank->CloseTest();

    selectedRow_ = row;
    selectedIndex_ = item;
    selectedCourseRow_.reset();
    for (const QVSimListInfo& candidate : rows_) {
        if (candidate.CourseId == row.CourseId) {
            selectedCourseRow_ = candidate;
            break;
        }
    }

    if (row.NodeKind == questionbank::kMixedRow) {
        ShowScreen(ScreenId::MainInterface, ScreenId::ComfirmQV);
        return;
    }
    int usedRegular = 1;
    if (!bank || bank->OpenPrePostTest(row.TestId, true, usedRegular) != 0) {
        // Going on would offer an exam that is not open.
        context_.dialogs.beep();
        context_.dialogs.error(
            QStringLiteral("The exam could not be opened.") +
            (bank && !bank->LastError().empty()
                 ? QStringLiteral("\n") + QString::fromStdString(bank->LastError())
                 : QString()));
        return;
    }
    const int count = bank->QuestionCount();
    if (count <= 0) {
        // An attempt without a question cannot be taken.
        bank->CloseTest();
        context_.dialogs.beep();
        context_.dialogs.information(QString::fromLatin1(kEmptyExamMessage));
        return;
    }
    examTypeScreen_->SetQuestionCount(count);
    openExamTitle_ = bank->GetOpenTitle();
    const QString title = BankText(openExamTitle_);
    setWindowTitle(title);
    if (aids_) aids_->SetStepsTitle(title);
    ShowScreen(ScreenId::MainInterface, ScreenId::QVTestType);
}

void TfrmMain::btOptionsClick() {
    TfrmOptions options(studyGuide_, *settingsFile_, this);
    context_.dialogs.runModal(options);
}

void TfrmMain::btnHistoryClick() {
    if (!reports_) return;
    HistorySelectionData data;
    data.learnerName = edName()->text();
    data.rows = rows_;
    data.selectedRow = vsiTestSelectBox()->currentItem();
    data.programFolder = programFolder();
    data.owner = this;
    reports_->ShowReportSelection(data);
}

void TfrmMain::btnExitClick() { close(); }

// ---- exam type and confirm screens -------------------------------------------

int TfrmMain::selectedRowIndex() const { return selectedIndex_; }

void TfrmMain::startExamOfType(ExamMode mode) {
    if (!attempt_) return;
    ShowScreen(ScreenId::QVTestType, ScreenId::TestWindow);
    ExamSelection selection{rows_, selectedRowIndex(), historyName(), randomQuestionOrder_};
    const int taken = attempt_->StartSingleExam(mode, selection, edtNumQuestions()->value());
    if (taken > 0) edtNumQuestions()->setValue(taken);
}

void TfrmMain::btnOpenBookClick() { startExamOfType(ExamMode::OpenBook); }
void TfrmMain::btnClosedBookClick() { startExamOfType(ExamMode::ClosedBook); }
void TfrmMain::btnExamTypeMainClick() { ShowScreen(ScreenId::QVTestType, ScreenId::MainInterface); }

void TfrmMain::btnConfirmBeginClick() {
    if (!attempt_) return;
    ExamSelection selection{rows_, selectedRowIndex(), historyName(), randomQuestionOrder_};
    attempt_->StartMixedExam(selection);
}

void TfrmMain::btnConfirmMainClick() { ShowScreen(ScreenId::ComfirmQV, ScreenId::MainInterface); }

// ---- test screen and title strip -----------------------------------------

bool TfrmMain::ConfirmExitExam() {
    TfrmConfirmExitExam confirm(this);
    return context_.dialogs.runModal(confirm) == QDialog::Accepted;
}

void TfrmMain::btnTMainClick() {
    if (attempt_) {
        attempt_->btnTMainClick();
    } else if (ConfirmExitExam()) {
        ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
    }
}

void TfrmMain::btnCloseProgClick() {
    switch (currentScreen_) {
        case ScreenId::MainInterface:
            close();
            break;
        case ScreenId::TestWindow:
            btnTMainClick();
            break;
        case ScreenId::QVTestType:
        case ScreenId::ComfirmQV:
        case ScreenId::ExamReview:
        case ScreenId::ExamResults:
            ShowScreen(currentScreen_, ScreenId::MainInterface);
            break;
        case ScreenId::None:
            break;
    }
}

void TfrmMain::BtnMinimizeClick() { context_.shell.minimizeApplication(); }

void TfrmMain::btHelp_AboutClick() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Help"), this, &TfrmMain::HelpClick);
    menu->addAction(QStringLiteral("About"), this, &TfrmMain::AboutClick);
    const QWidget* button = controls_.find("btHelp_About");
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void TfrmMain::HelpClick() {
    context_.shell.minimizeApplication();
    context_.shell.openDocument(folders_.HomeDir + kHelpPage);
}

void TfrmMain::AboutClick() {
    const std::string scheme = folders_.GraphicDir + SkinLoader::kSchemeFileName;
    const std::string picture =
        context_.profiles.readString(scheme, "About Splash Screen", "Background", "");
    TfrmAboutBox about(picture.empty() ? std::string() : folders_.GraphicDir + picture, this);
    if (context_.dialogs.runModal(about) == TfrmAboutBox::kHelpRequested) HelpClick();
}

void TfrmMain::btnGoWebSiteClick() { context_.shell.openAddress(kWebAddress); }

std::shared_ptr<ReportHooks> TfrmMain::makeReportWindows() {
    DialogService& dialogs = context_.dialogs;
    printer_ = context_.plugins.printer;
    if (!printer_) {
        printer_ = std::make_shared<report::DialogPrintService>(
            [&dialogs](QDialog& d) { return dialogs.runModal(d); });
    }
    return std::make_shared<ReportWindows>(dialogs, *printer_, *data_->testing,
                                           data_->history.get());
}

std::string TfrmMain::programFolder() const {
    if (context_.arguments.isEmpty()) return {};
    return QFileInfo(context_.arguments.front()).absolutePath().toStdString() + "/";
}

// The history keeps texts in the Windows code page, the name among them.
std::string TfrmMain::historyName() const { return report::ToWindows1252(candidateName_); }

AttemptReportData TfrmMain::ReportData() const {
    AttemptReportData data;
    data.candidateName = candidateName_;
    data.examRow = selectedRow_;
    data.courseRow = selectedCourseRow_;
    data.rows = rows_;
    data.openExamTitle = openExamTitle_;
    data.colors = skin_.colors;
    data.studyGuide = studyGuide_;
    data.programFolder = programFolder();
    data.owner = const_cast<TfrmMain*>(this);
    return data;
}

// ---- window events --------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (data_ && data_->bank && data_->bank->IsOpen()) data_->bank->CloseTest();
    event->accept();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstActivation_) return;
    firstActivation_ = false;
    if (aids_) aids_->RememberCaseWindowSize();
    if (ScreenController* controller = controllerOf(currentScreen_)) {
        if (QWidget* focus = controller->FocusOnEntry()) focus->setFocus(Qt::OtherFocusReason);
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != background_) return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    // Only mouse events are mouse events: other events reach the filter too.
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::LeftButton) break;
            dragging_ = true;
            dragOffset_ = mouse->globalPosition().toPoint() - pos();
            setCursor(Qt::SizeAllCursor);
            return true;
        case QEvent::MouseMove:
            if (!dragging_) break;
            move(mouse->globalPosition().toPoint() - dragOffset_);
            if (attempt_) attempt_->WindowMoved();
            return true;
        case QEvent::MouseButtonRelease:
            if (!dragging_) break;
            dragging_ = false;
            unsetCursor();
            return true;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zentrix::engine
