#include "engine/tfrm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <string_view>

#include "engine/command_line.h"
#include "engine/desktop_shell.h"
#include "engine/dialog_service.h"
#include "engine/exam_type_texts.h"
#include "engine/require_graphic.h"
#include "engine/screen_layout_table.h"
#include "engine/skin_loader.h"
#include "engine/tfrm_about_box.h"
#include "engine/tfrm_confirm_exit_exam.h"
#include "engine/tfrm_options.h"
#include "platform/profile_store.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
namespace {

using questionbank::QVSimListInfo;

constexpr int kTreeTextColumnMargin = 20;

std::string trimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Restores the normal cursor however the handler ends.
class HourglassCursor {
public:
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
};

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

constexpr PictureTarget kPictureTargets[] = {
    {SkinPicture::HelpButton, "btHelp_About"},  {SkinPicture::MinimizeButton, "BtnMinimize"},
    {SkinPicture::CloseButton, "btnCloseProg"}, {SkinPicture::ItemReviewButton, "btnItemReview"},
    {SkinPicture::JumpToButton, "btnJumpTo"},   {SkinPicture::CaseStudyButton, "btnCaseStudy"},
    {SkinPicture::StepsButton, "btnSteps"},     {SkinPicture::ExhibitButton, "btnExhibit"},
    {SkinPicture::HintButton, "btnHint"},       {SkinPicture::ReferenceButton, "btnReference"},
    {SkinPicture::ReportButton, "btnTReport"},  {SkinPicture::TestMainButton, "btnTMain"},
};

// Captions of the buttons of the test, review and results screens.
struct Caption {
    const char* control;
    const char* text;
    int width;
};

constexpr Caption kExamScreenCaptions[] = {
    {"btnLeft", "<", 54},
    {"btnRight", ">", 54},
    {"btnItemReview", "Review", 54},
    {"btnCaseStudy", "Case", 54},
    {"btnSteps", "Steps", 54},
    {"btnExhibit", "Exhibit", 54},
    {"btnHint", "Hint", 54},
    {"btnReference", "Ref", 54},
    {"btnTReport", "Score", 54},
    {"btnTMain", "Main", 46},
    {"btnJumpTo", "Jump", 54},
    {"btnReviewInComplete", "Review Incomplete", 142},
    {"btnReview", "Review Item", 112},
    {"btnReturntoExam", "Return to Exam", 142},
    {"btnExamResults", "Exam Results", 142},
    {"btnViewStudy", "View Study Guide", 142},
    {"btnSaveStudy", "Save Study Guide", 142},
    {"btnOpenStudy", "Open Study Guide", 142},
    {"btnViewExam", "View Certificate", 142},
    {"btnSaveExam", "Save Certificate", 142},
    {"btnOpenExam", "Open Certificate", 142},
    {"btnResultsMain", "Main", 72},
    {"btnQuit", "Quit", 72},
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
    background_->installEventFilter(this);
    buildMainScreen();
    buildExamTypeScreen();
    buildConfirmScreen();
    buildExamScreens();
    buildTitleStrip();
    runStartup();
}

TfrmMain::~TfrmMain() = default;

QWidget* TfrmMain::control(const char* name) const {
    return findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// ---- start-up ---------------------------------------------------------------

void TfrmMain::runStartup() {
    examEnded_ = false;
    randomQuestionOrder_ = RandomQuestionOrderFromArguments(context_.arguments);

    std::optional<EngineFolders> folders = ReadEngineFolders(context_.registry);
    if (!folders) {
        context_.dialogs.information(QString::fromLatin1(kRegistryKeyMissingMessage));
        return;
    }
    folders_ = *folders;

    tree_->clear();
    for (const ControlPlacement& placement : ScreenLayoutTable(ScreenId::MainInterface)) {
        if (placement.control == std::string_view("vsiTestSelectBox") && placement.shownSize) {
            tree_->setTextColumnWidth(placement.shownSize->width() - kTreeTextColumnMargin);
        }
    }

    if (context_.openData) {
        data_ = std::make_unique<EngineData>(context_.openData(folders_, context_.dialogs));
    }
    simulationPanel_->setGeometry(QRect(QuestionAreaBounds::kSimulationPanelParkedPosition,
                                        QuestionAreaBounds::kSimulationPanelParkedSize));

    if (data_ && data_->bank) data_->bank->ListQVSelectTitles(*this, true, false);
    ShowScreen(ScreenId::None, ScreenId::MainInterface);

    settingsFile_ =
        std::make_unique<StudyGuideSettingsFile>(context_.profiles, context_.settingsFile);
    studyGuide_ = settingsFile_->readOrCreate(studyGuide_);

    startupSucceeded_ = true;
}

void TfrmMain::OnSelectBegin() {
    tree_->clear();
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
        items.push_back(QString(level, QLatin1Char(' ')) + QString::fromStdString(row.Title));
    }
    tree_->addItems(items);
    tree_->refreshVisibleRows();
}

ui::CourseTreeRowStyle TfrmMain::rowStyle(int item) const {
    ui::CourseTreeRowStyle style;
    if (item < 0 || item >= static_cast<int>(rows_.size())) return style;
    const QVSimListInfo& row = rows_[item];
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

// ---- building the screens --------------------------------------------------

void TfrmMain::buildTitleStrip() {
    struct TitleButton {
        const char* name;
        const char* caption;
        QRect bounds;
        void (TfrmMain::*handler)();
    };
    const TitleButton buttons[] = {
        {"btnGoWebSite", "Web Site", QRect(8, 3, 84, 20), &TfrmMain::btnGoWebSiteClick},
        {"btHelp_About", "?", QRect(560, 3, 22, 20), &TfrmMain::btHelp_AboutClick},
        {"BtnMinimize", "_", QRect(586, 3, 22, 20), &TfrmMain::BtnMinimizeClick},
        {"btnCloseProg", "X", QRect(612, 3, 22, 20), &TfrmMain::btnCloseProgClick},
    };
    for (const TitleButton& spec : buttons) {
        auto* button = new ui::PictureButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setGeometry(spec.bounds);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QAbstractButton::clicked, this, spec.handler);
    }
}

void TfrmMain::buildMainScreen() {
    tree_ = new ui::CourseTreeView(this);
    tree_->setObjectName(QStringLiteral("vsiTestSelectBox"));
    tree_->setStyleProvider([this](int item) { return rowStyle(item); });
    connect(tree_, &ui::CourseTreeView::itemClicked, this, &TfrmMain::vsiTestSelectBoxClick);
    connect(tree_, &ui::CourseTreeView::itemActivated, this, &TfrmMain::vsiTestSelectBoxActivate);

    nameBox_ = new QLineEdit(QStringLiteral("Student"), this);
    nameBox_->setObjectName(QStringLiteral("edName"));
    nameBox_->resize(190, 24);
    nameBox_->setPlaceholderText(QStringLiteral("Your name"));
    nameBox_->installEventFilter(this);

    struct Button {
        const char* name;
        const char* caption;
        void (TfrmMain::*handler)();
    };
    const Button buttons[] = {{"BtnMainEnter", "Enter", &TfrmMain::BtnMainEnterClick},
                              {"btOptions", "Options", &TfrmMain::btOptionsClick},
                              {"btnHistory", "History", &TfrmMain::btnHistoryClick},
                              {"btnExit", "Exit", &TfrmMain::btnExitClick}};
    for (const Button& spec : buttons) {
        auto* button = new ui::PictureButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QString::fromLatin1(spec.name));
        connect(button, &QAbstractButton::clicked, this, spec.handler);
    }
}

void TfrmMain::buildExamTypeScreen() {
    auto addButton = [this](const char* name, const char* caption, int width,
                            void (TfrmMain::*handler)()) {
        auto* button = new ui::PictureButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->resize(width, 22);
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    addButton("btnOpenBook", "Open Book", 142, &TfrmMain::btnOpenBookClick);
    addButton("btnClosedBook", "Closed Book", 142, &TfrmMain::btnClosedBookClick);
    addButton("btnExamTypeMain", "Main", 72, &TfrmMain::btnExamTypeMainClick);

    auto addExplanation = [this](const char* name, const QString& text) {
        auto* box = new QTextEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setPlainText(text);
        box->setFrameShape(QFrame::Box);
    };
    addExplanation("preexplain", OpenBookExplanation());
    addExplanation("PostExplain", ClosedBookExplanation());

    questionsAvailable_ = new QLabel(this);
    questionsAvailable_->setObjectName(QStringLiteral("lbNoQuestions"));
    questionsAvailable_->resize(300, 18);
    auto* toTake = new QLabel(QStringLiteral("Number of questions you wish to take."), this);
    toTake->setObjectName(QStringLiteral("lbExamTypeQtoTake"));
    QFont small = toTake->font();
    small.setPixelSize(11);
    toTake->setFont(small);
    questionsAvailable_->setFont(small);
    toTake->resize(212, 18);
    questionCount_ = new QSpinBox(this);
    questionCount_->setObjectName(QStringLiteral("edtNumQuestions"));
    questionCount_->resize(64, 24);
    questionCount_->setRange(1, 1);
}

void TfrmMain::buildConfirmScreen() {
    auto* begin = new ui::PictureButton(QStringLiteral("Begin"), this);
    begin->setObjectName(QStringLiteral("btnConfirmBegin"));
    connect(begin, &QAbstractButton::clicked, this, &TfrmMain::btnConfirmBeginClick);
    auto* main = new ui::PictureButton(QStringLiteral("Main"), this);
    main->setObjectName(QStringLiteral("btnConfirmMain"));
    connect(main, &QAbstractButton::clicked, this, &TfrmMain::btnConfirmMainClick);
}

void TfrmMain::buildExamScreens() {
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("TestScrollBox"));
    area->setFrameShape(QFrame::NoFrame);
    area->setAutoFillBackground(true);
    questionArea_ = area;
    simulationPanel_ = new QWidget(this);
    simulationPanel_->setObjectName(QStringLiteral("BZDemoQEngine1"));

    for (ScreenId screen : {ScreenId::TestWindow, ScreenId::ExamReview, ScreenId::ExamResults}) {
        for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
            const QString name = QString::fromLatin1(placement.control);
            QWidget* widget = nullptr;
            if (name.startsWith(QStringLiteral("btn"))) {
                auto* button = new ui::PictureButton(name.mid(3), this);
                button->resize(72, 22);
                for (const Caption& caption : kExamScreenCaptions) {
                    if (name == QLatin1String(caption.control)) {
                        button->setText(QString::fromLatin1(caption.text));
                        button->resize(caption.width, 22);
                    }
                }
                widget = button;
            } else if (name == QLatin1String("Report1ListBox")) {
                widget = new QListWidget(this);
            } else if (name == QLatin1String("ReviewItemEdit")) {
                widget = new QSpinBox(this);
                widget->resize(56, 22);
            } else if (name.endsWith(QStringLiteral("Border"))) {
                auto* frame = new QFrame(this);
                frame->setFrameShape(QFrame::Box);
                frame->resize(name == QLatin1String("BarBorder") ? QSize(436, 48) : QSize(560, 96));
                widget = frame;
            } else if (name.endsWith(QStringLiteral("ScoreBar"))) {
                auto* bar = new QFrame(this);
                bar->setAutoFillBackground(true);
                bar->resize(0, 11);
                widget = bar;
            } else {
                auto* label = new QLabel(this);
                label->resize(72, 18);
                widget = label;
            }
            widget->setObjectName(name);
        }
    }
    struct Transition {
        const char* control;
        ScreenId leave;
        ScreenId enter;
    };
    const Transition transitions[] = {
        {"btnItemReview", ScreenId::TestWindow, ScreenId::ExamReview},
        {"btnReview", ScreenId::ExamReview, ScreenId::TestWindow},
        {"btnReviewInComplete", ScreenId::ExamReview, ScreenId::TestWindow},
        {"btnReturntoExam", ScreenId::ExamReview, ScreenId::TestWindow},
        {"btnExamResults", ScreenId::ExamReview, ScreenId::ExamResults},
        {"btnResultsMain", ScreenId::ExamResults, ScreenId::MainInterface},
    };
    for (const Transition& t : transitions) {
        auto* button = qobject_cast<QAbstractButton*>(control(t.control));
        connect(button, &QAbstractButton::clicked, this,
                [this, t] { ShowScreen(t.leave, t.enter); });
    }
    connect(qobject_cast<QAbstractButton*>(control("btnTMain")), &QAbstractButton::clicked, this,
            &TfrmMain::btnTMainClick);
    connect(qobject_cast<QAbstractButton*>(control("btnQuit")), &QAbstractButton::clicked, this,
            &QWidget::close);
}

// ---- switching screens -------------------------------------------------------

void TfrmMain::ShowScreen(ScreenId leave, ScreenId enter) {
    if (leave == ScreenId::None) {
        for (ScreenId screen : kAllScreens) hideScreen(screen);
    } else {
        hideScreen(leave);
    }
    if (enter != ScreenId::None) enterScreen(enter);
    currentScreen_ = enter;
    if (isVisible()) repaint();
}

void TfrmMain::hideScreen(ScreenId screen) {
    for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
        QWidget* widget = control(placement.control);
        if (!widget) continue;
        widget->hide();
        widget->move(placement.parked);
        if (placement.parkedSize) widget->resize(*placement.parkedSize);
    }
    if (screen == ScreenId::TestWindow) {
        questionArea_->hide();
        questionArea_->setGeometry(
            QRect(QuestionAreaBounds::kParkedPosition, QuestionAreaBounds::kParkedSize));
        simulationPanel_->hide();
        simulationPanel_->setGeometry(QRect(QuestionAreaBounds::kSimulationPanelParkedPosition,
                                            QuestionAreaBounds::kSimulationPanelParkedSize));
    }
}

void TfrmMain::enterScreen(ScreenId screen) {
    loadBackground(screen);
    for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
        QWidget* widget = control(placement.control);
        if (!widget) continue;
        widget->move(placement.shown);
        if (placement.shownSize) widget->resize(*placement.shownSize);
        widget->show();
    }
    if (screen == ScreenId::MainInterface) tree_->refreshVisibleRows();
    if (screen == ScreenId::TestWindow) {
        questionArea_->setGeometry(
            QRect(QuestionAreaBounds::kPosition, QuestionAreaBounds::kNormalSize));
        questionArea_->show();
    }
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
    for (const PictureTarget& target : kPictureTargets) {
        auto* button = qobject_cast<ui::PictureButton*>(control(target.control));
        if (!button || !skin_.hasPicture(target.picture)) continue;
        QPixmap picture(QString::fromStdString(skin_.picturePath(target.picture)));
        if (picture.isNull()) continue;
        button->setPicture(picture);
        button->resize(picture.size());
    }
    QPalette area = questionArea_->palette();
    area.setColor(QPalette::Window, ColorFromNumber(skin_.colors.light));
    questionArea_->setPalette(area);
    for (const char* bar : {"RequiredScoreBar", "YourScoreBar"}) {
        QWidget* widget = control(bar);
        QPalette colours = widget->palette();
        colours.setColor(QPalette::Window,
                         ColorFromNumber(bar[0] == 'R' ? skin_.colors.topBar : skin_.colors.field));
        widget->setPalette(colours);
    }
    // The screen already shown was entered before the skin named its picture.
    if (currentScreen_ != ScreenId::None) loadBackground(currentScreen_);
}

// ---- main screen -----------------------------------------------------------

int TfrmMain::currentRow() const { return tree_->currentItem() < 0 ? 0 : tree_->currentItem(); }

void TfrmMain::BtnMainEnterClick() {
    const int row = currentRow();
    if (row < static_cast<int>(rows_.size())) {
        const QVSimListInfo& info = rows_[row];
        if (info.NodeKind == questionbank::kExamRow || info.NodeKind == questionbank::kMixedRow) {
            SelectExamRow(row);
            return;
        }
    }
    context_.dialogs.beep();
    const bool titled = row < static_cast<int>(rows_.size()) && !rows_[row].Title.empty();
    context_.dialogs.information(titled ? QStringLiteral("You are on a Course title.")
                                        : QStringLiteral("You are on a blank line."));
}

void TfrmMain::vsiTestSelectBoxClick(int) { tree_->refreshVisibleRows(); }

void TfrmMain::vsiTestSelectBoxActivate(int item) {
    if (item < 0 || item >= static_cast<int>(rows_.size())) return;
    const QVSimListInfo& row = rows_[item];
    if (row.NodeKind == questionbank::kExamRow || row.NodeKind == questionbank::kMixedRow) {
        SelectExamRow(item);
    } else if (!row.Title.empty()) {
        tree_->toggleFold(item);
    } else {
        context_.dialogs.beep();
        context_.dialogs.information(QStringLiteral("You clicked on a blank line!"));
    }
}

void TfrmMain::SelectExamRow(int item) {
    if (item < 0 || item >= static_cast<int>(rows_.size())) return;
    if (nameBox_->text().isEmpty()) {
        context_.dialogs.beep();
        context_.dialogs.error(QStringLiteral("A User Name is required."));
        nameBox_->setFocus();
        return;
    }
    candidateName_ = nameBox_->text();
    HourglassCursor hourglass;
    examEnded_ = false;

    const QVSimListInfo row = rows_[item];
    selectedTestId_ = row.TestId;
    ExamBank* bank = data_ ? data_->bank.get() : nullptr;
    if (bank && bank->IsOpen()) bank->CloseTest();

    selectedRow_ = row;
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
    questionCount_->setMaximum(1);
    questionCount_->setValue(1);
    questionCount_->setMaximum(count);
    questionCount_->setValue(count);
    const QString title = QString::fromStdString(bank->GetOpenTitle());
    setWindowTitle(title);
    stepsTitle_ = title;
    questionsAvailable_->setText(QStringLiteral("Total number of questions available: ") +
                                 QString::number(count));
    ShowScreen(ScreenId::MainInterface, ScreenId::QVTestType);
}

void TfrmMain::btOptionsClick() {
    TfrmOptions options(studyGuide_, *settingsFile_, this);
    context_.dialogs.runModal(options);
}

void TfrmMain::btnHistoryClick() { ShowReportSelection(); }

void TfrmMain::btnExitClick() { close(); }

// ---- exam type and confirm screens -------------------------------------------

void TfrmMain::startExamOfType(int mode) {
    ShowScreen(ScreenId::QVTestType, ScreenId::TestWindow);
    examMode_ = mode;
    StartSingleExam();
}

void TfrmMain::btnOpenBookClick() { startExamOfType(0); }
void TfrmMain::btnClosedBookClick() { startExamOfType(1); }
void TfrmMain::btnExamTypeMainClick() { ShowScreen(ScreenId::QVTestType, ScreenId::MainInterface); }

void TfrmMain::StartMixedExam() {
    examMode_ = 2;
    ShowScreen(ScreenId::ComfirmQV, ScreenId::TestWindow);
}

void TfrmMain::btnConfirmBeginClick() { StartMixedExam(); }
void TfrmMain::btnConfirmMainClick() { ShowScreen(ScreenId::ComfirmQV, ScreenId::MainInterface); }

// ---- test screen and title strip -----------------------------------------

void TfrmMain::confirmExitExam() {
    TfrmConfirmExitExam confirm(this);
    if (context_.dialogs.runModal(confirm) != QDialog::Accepted) return;
    FinishHistory();
    ShowScreen(ScreenId::TestWindow, ScreenId::MainInterface);
}

void TfrmMain::btnTMainClick() { confirmExitExam(); }

void TfrmMain::btnCloseProgClick() {
    switch (currentScreen_) {
        case ScreenId::MainInterface:
            close();
            break;
        case ScreenId::TestWindow:
            confirmExitExam();
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
    const QWidget* button = control("btHelp_About");
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

// ---- window events --------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (data_ && data_->bank && data_->bank->IsOpen()) data_->bank->CloseTest();
    event->accept();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstActivation_) return;
    firstActivation_ = false;
    tree_->setFocus();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameBox_ && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, nameBox_, &QLineEdit::selectAll);
    }
    if (watched != background_) return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::LeftButton) break;
            dragging_ = true;
            dragOffset_ = mouse->globalPosition().toPoint() - pos();
            setCursor(Qt::SizeAllCursor);
            return true;
        case QEvent::MouseMove:
            if (!dragging_) break;
            move(mouse->globalPosition().toPoint() - dragOffset_);
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
