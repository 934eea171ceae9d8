#include "engine/screens/results_screen.h"

#include <QFrame>
#include <QLabel>

#include "engine/screens/control_registry.h"
#include "engine/screens/screen_parts.h"
#include "ui/picture_button.h"

namespace zentrix::engine {
namespace {

constexpr QSize kBarBorderSize(436, 48);
constexpr int kBarHeight = 11;

QFrame* bar(QWidget* window, ControlRegistry& registry, const char* name, const char* accessible) {
    auto* b = new QFrame(window);
    b->setAutoFillBackground(true);
    b->resize(0, kBarHeight);
    b->setAccessibleName(QString::fromLatin1(accessible));
    b->hide();
    registry.add(name, b);
    return b;
}

}  // namespace

ResultsScreen::ResultsScreen(QWidget* window, ControlRegistry& registry) : QObject(window) {
    scoreBorder_ = new QFrame(window);
    scoreBorder_->setFrameShape(QFrame::NoFrame);
    scoreBorder_->resize(560, 96);
    scoreBorder_->setAccessibleName(QStringLiteral("Score chart"));
    scoreBorder_->hide();
    registry.add("ScoreBorder", scoreBorder_);
    barBorder_ = new QFrame(window);
    barBorder_->setFrameShape(QFrame::Box);
    barBorder_->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #8a9bb0; }"));
    barBorder_->resize(kBarBorderSize);
    barBorder_->setAccessibleName(QStringLiteral("Score scale from 0 to 1000"));
    barBorder_->hide();
    registry.add("BarBorder", barBorder_);
    for (int k = 0; k < kTickCount; ++k) {
        ticks_[k] = new QFrame(window);
        ticks_[k]->setObjectName(QStringLiteral("Shape%1").arg(k + 1));
        ticks_[k]->setAccessibleName(QStringLiteral("Scale mark %1").arg((k + 1) * 100));
        ticks_[k]->setAutoFillBackground(true);
        QPalette colours = ticks_[k]->palette();
        colours.setColor(QPalette::Window, QColor(190, 202, 214));
        ticks_[k]->setPalette(colours);
        ticks_[k]->resize(1, kBarBorderSize.height());
        ticks_[k]->hide();
    }
    requiredBar_ = bar(window, registry, "RequiredScoreBar", "Required score");
    yourBar_ = bar(window, registry, "YourScoreBar", "Your score");

    AddScreenLabel(window, registry, "lbResultPScore", QStringLiteral("Passing Score"), 76, 11,
                   false);
    AddScreenLabel(window, registry, "lbResultYScore", QStringLiteral("Your Score"), 76, 11, false);
    AddScreenLabel(window, registry, "lbResultGrade", QStringLiteral("Grade"), 76, 11, false);
    pass_ = AddScreenLabel(window, registry, "lbPass", QString(), 80, 14, true);
    score_ = AddScreenLabel(window, registry, "lbScore", QString(), 80, 14, true);
    grade_ = AddScreenLabel(window, registry, "lbGrade", QString(), 80, 14, true);
    pass_->setAccessibleName(QStringLiteral("Passing Score"));
    score_->setAccessibleName(QStringLiteral("Your Score"));
    grade_->setAccessibleName(QStringLiteral("Grade"));
    AddScreenLabel(window, registry, "lbChartPScore", QStringLiteral("Required Score"), 82, 10,
                   false);
    AddScreenLabel(window, registry, "lbChartyScore", QStringLiteral("Your Score"), 82, 10, false);
    QLabel* none = AddScreenLabel(window, registry, "lbNoWay", QStringLiteral("0"), 30, 11, false);
    QLabel* half =
        AddScreenLabel(window, registry, "lbHalfWay", QStringLiteral("500"), 30, 11, false);
    QLabel* all =
        AddScreenLabel(window, registry, "lbAllWay", QStringLiteral("1000"), 34, 11, false);
    none->setAlignment(Qt::AlignLeft);
    half->setAlignment(Qt::AlignLeft);
    all->setAlignment(Qt::AlignLeft);

    viewStudy_ = AddScreenButton(window, registry, "btnViewStudy", "View Study Guide",
                                 "View the study guide", 142);
    saveStudy_ = AddScreenButton(window, registry, "btnSaveStudy", "Save Study Guide",
                                 "Save the study guide", 142);
    openStudy_ = AddScreenButton(window, registry, "btnOpenStudy", "Open Saved Report",
                                 "Open a saved study guide", 142);
    viewExam_ = AddScreenButton(window, registry, "btnViewExam", "View Certificate",
                                "View the certificate", 142);
    saveExam_ = AddScreenButton(window, registry, "btnSaveExam", "Save Certificate",
                                "Save the certificate", 142);
    openExam_ = AddScreenButton(window, registry, "btnOpenExam", "Open Saved Report",
                                "Open a saved certificate", 142);
    main_ =
        AddScreenButton(window, registry, "btnResultsMain", "Main", "Back to the main screen", 72);
    quit_ = AddScreenButton(window, registry, "btnQuit", "Quit", "Quit Zentrix", 72);

    QWidget::setTabOrder(viewStudy_, saveStudy_);
    QWidget::setTabOrder(saveStudy_, openStudy_);
    QWidget::setTabOrder(openStudy_, viewExam_);
    QWidget::setTabOrder(viewExam_, saveExam_);
    QWidget::setTabOrder(saveExam_, openExam_);
    QWidget::setTabOrder(openExam_, main_);
    QWidget::setTabOrder(main_, quit_);
}

void ResultsScreen::Left() {
    for (QFrame* tick : ticks_) tick->hide();
}

QWidget* ResultsScreen::FocusOnEntry() const { return viewStudy_; }

void ResultsScreen::SetColors(const SkinColors& colors) {
    const struct {
        QFrame* bar;
        ColorNumber colour;
    } bars[] = {{requiredBar_, colors.topBar}, {yourBar_, colors.field}};
    for (const auto& b : bars) {
        QPalette colours = b.bar->palette();
        colours.setColor(QPalette::Window, ColorFromNumber(b.colour));
        b.bar->setPalette(colours);
    }
}

void ResultsScreen::ShowResults(const ResultFigures& f) {
    for (int k = 0; k < kTickCount; ++k) {
        ticks_[k]->move(barBorder_->x() + f.tickOffsets[static_cast<size_t>(k)], barBorder_->y());
        ticks_[k]->resize(1, barBorder_->height());
        ticks_[k]->show();
        ticks_[k]->stackUnder(requiredBar_);
    }
    yourBar_->resize(f.yourBarWidth, kBarHeight);
    requiredBar_->resize(f.requiredBarWidth, kBarHeight);
    pass_->setText(QString::number(f.passMark));
    score_->setText(QString::number(f.score));
    grade_->setText(f.passed ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    QPalette colours = grade_->palette();
    colours.setColor(QPalette::WindowText, f.passed ? QColor(30, 120, 70) : QColor(176, 40, 40));
    grade_->setPalette(colours);
}

}  // namespace zentrix::engine
