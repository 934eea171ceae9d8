#include "engine/screens/plain_study_aids.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "engine/bank_text.h"
#include "engine/dialog_service.h"

namespace zentrix::engine {
namespace {

constexpr Qt::WindowFlags kToolWindow = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The exhibit: one picture; a click on it closes the window.
class ExhibitDialog : public QDialog {
public:
    ExhibitDialog(const QPixmap& picture, QWidget* parent) : QDialog(parent) {
        setWindowTitle(QStringLiteral("Exhibit - Click on graphic to close window."));
        auto* area = new QScrollArea(this);
        auto* label = new QLabel;
        label->setPixmap(picture);
        label->setAccessibleName(QStringLiteral("Exhibit"));
        label->installEventFilter(this);
        area->setWidget(label);
        area->setFrameShape(QFrame::NoFrame);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(area);
        resize(picture.size().boundedTo(QSize(1000, 700)) + QSize(4, 4));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            accept();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
};

}  // namespace

PlainStudyAids::PlainStudyAids(QWidget* owner, DialogService& dialogs, CaseLookup findCase)
    : owner_(owner), dialogs_(dialogs), findCase_(std::move(findCase)) {
    hint_ = textWindow(QStringLiteral("Hint"), hintView_);
    reference_ = textWindow(QStringLiteral("References"), referenceView_);

    steps_ = new QWidget(owner_, kToolWindow | Qt::WindowStaysOnTopHint);
    steps_->setWindowTitle(QStringLiteral("Steps"));
    steps_->setAccessibleName(QStringLiteral("Steps"));
    stepsTitle_ = new QLabel(steps_);
    stepsTitle_->setWordWrap(true);
    stepsTitle_->setAlignment(Qt::AlignCenter);
    stepsList_ = new QListWidget(steps_);
    stepsList_->setWordWrap(true);
    stepsList_->setAccessibleName(QStringLiteral("Steps"));
    auto* stepsLayout = new QVBoxLayout(steps_);
    stepsLayout->addWidget(stepsTitle_);
    stepsLayout->addWidget(stepsList_);
    steps_->resize(260, 300);

    case_ = new QWidget(owner_, kToolWindow);
    case_->setWindowTitle(QStringLiteral("Display Case Study"));
    caseTabs_ = new QTabWidget(case_);
    auto* caseLayout = new QVBoxLayout(case_);
    caseLayout->addWidget(caseTabs_);
    case_->resize(520, 400);
}

PlainStudyAids::~PlainStudyAids() = default;

QWidget* PlainStudyAids::textWindow(const QString& title, QTextEdit*& viewer) {
    auto* window = new QWidget(owner_, kToolWindow);
    window->setWindowTitle(title);
    viewer = new QTextEdit(window);
    viewer->setReadOnly(true);
    viewer->setAccessibleName(title);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(viewer);
    window->resize(320, 200);
    return window;
}

void PlainStudyAids::placeBesideOwner(QWidget* window, int offset) {
    if (!owner_) return;
    const QRect frame = owner_->frameGeometry();
    window->move(frame.right() - window->width() - 15, frame.top() + offset);
}

void PlainStudyAids::SetHintText(std::string_view stored) {
    hintView_->setPlainText(CleanedAidText(stored));
}

void PlainStudyAids::SetReferenceText(std::string_view stored) {
    referenceView_->setPlainText(CleanedAidText(stored));
}
QString PlainStudyAids::HintText() const { return hintView_->toPlainText(); }
QString PlainStudyAids::ReferenceText() const { return referenceView_->toPlainText(); }

void PlainStudyAids::ToggleHint() {
    if (hint_->isVisible()) {
        hint_->hide();
    } else {
        placeBesideOwner(hint_, 60);
        hint_->show();
    }
}

void PlainStudyAids::ToggleReference() {
    if (reference_->isVisible()) {
        reference_->hide();
    } else {
        placeBesideOwner(reference_, 90);
        reference_->show();
    }
}

void PlainStudyAids::SetStepsTitle(const QString& title) { stepsTitle_->setText(title); }
QString PlainStudyAids::StepsTitle() const { return stepsTitle_->text(); }
void PlainStudyAids::ClearSteps() { stepsList_->clear(); }

void PlainStudyAids::AddStep(const QString& heading, const QString& text) {
    stepsList_->addItem(heading + text);
}

QStringList PlainStudyAids::Steps() const {
    QStringList steps;
    for (int i = 0; i < stepsList_->count(); ++i) steps.push_back(stepsList_->item(i)->text());
    return steps;
}

void PlainStudyAids::ToggleSteps() {
    if (steps_->isVisible()) {
        steps_->hide();
    } else {
        placeBesideOwner(steps_, 127);
        steps_->show();
    }
}

void PlainStudyAids::HideSteps() { steps_->hide(); }

void PlainStudyAids::LoadExhibit(const QString& path) {
    exhibitPath_ = path;
    exhibit_ = QPixmap(path);
}

void PlainStudyAids::ShowExhibit() {
    if (exhibit_.isNull()) {
        dialogs_.error(QStringLiteral("The exhibit picture could not be shown:\n") + exhibitPath_);
        return;
    }
    ExhibitDialog dialog(exhibit_, owner_);
    dialogs_.runModal(dialog);
}

void PlainStudyAids::ShowFeedback(const QByteArray& picture) {
    lastFeedback_ = picture;
    ++feedbackCount_;
}

bool PlainStudyAids::LoadCase(int number) {
    if (!findCase_) return false;
    xbase::Result<questionbank::CaseStudy> found = findCase_(number);
    if (!found) return false;
    const questionbank::CaseStudy& study = found.value();
    caseTabs_->clear();
    case_->setWindowTitle(QString::fromStdString(study.title));
    for (int k = 0; k < study.tabCount; ++k) {
        auto* view = new QTextEdit;
        view->setReadOnly(true);
        view->setPlainText(QString::fromStdString(study.tabTexts[static_cast<size_t>(k)]));
        const QString name = QString::fromStdString(study.tabNames[static_cast<size_t>(k)]);
        caseTabs_->addTab(view, name.left(5) + QStringLiteral("..."));
        caseTabs_->setTabToolTip(k, name);
        view->setAccessibleName(name);
    }
    return true;
}

void PlainStudyAids::ClearCase() {
    case_->hide();
    caseTabs_->clear();
}

void PlainStudyAids::ToggleCase() {
    if (case_->isVisible()) {
        case_->hide();
    } else if (caseTabs_->count() > 0 || LoadCase(caseNumber_)) {
        case_->show();
    }
}

void PlainStudyAids::RememberCaseWindowSize() { caseSize_ = case_->size(); }

void PlainStudyAids::RestoreCaseWindowSize() {
    if (caseSize_.isValid()) case_->resize(caseSize_);
}

void PlainStudyAids::LeaveTestScreen() {
    hint_->hide();
    reference_->hide();
    steps_->hide();
    hintView_->clear();
    referenceView_->clear();
}

}  // namespace zentrix::engine
