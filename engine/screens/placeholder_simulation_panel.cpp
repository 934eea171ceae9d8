#include "engine/screens/placeholder_simulation_panel.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "simulation/simulation_loader.h"

namespace zentrix::engine {
namespace {

// A stand-in never asks the learner about a doubtful file: it reads what it
// can without asking.
class DeclineQuestions : public simulation::QuestionService {
public:
    bool askYesNo(const QString&) override { return false; }
};

}  // namespace

PlaceholderSimulationPanel::PlaceholderSimulationPanel(QWidget* parent)
    : QWidget(parent), note_(new QLabel(this)), skip_(new QPushButton(this)) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAccessibleName(QStringLiteral("Simulation"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(255,255,255,220); color: #34424f; border: 1px solid #becad6; "
        "padding: 4px; }"));
    skip_->setText(QStringLiteral("Skip simulation"));
    skip_->setAccessibleName(QStringLiteral("Skip simulation"));
    connect(skip_, &QPushButton::clicked, this, [this] { ReportIncorrect(1); });
}

void PlaceholderSimulationPanel::LoadSimulation(const QString& path) {
    path_ = path;
    firstFrame_ = QImage();
    frames_ = 0;
    problem_.clear();
    DeclineQuestions questions;
    simulation::SimulationContent content;
    simulation::SimulationLoader loader(questions);
    const auto loaded = loader.load(path, content);
    if (!loaded) {
        problem_ = QString::fromStdString(loaded.message());
    } else {
        frames_ = content.Picture.frameCount();
        if (frames_ > 0 && content.Picture.showFrame(1)) firstFrame_ = content.Picture.image();
    }
    note_->setText(problem_.isEmpty()
                       ? QStringLiteral("This simulation (%1, %2 screens) cannot be played in "
                                        "this version. Skip it to go on.")
                             .arg(QFileInfo(path).fileName())
                             .arg(frames_)
                       : QStringLiteral("The simulation could not be read: %1").arg(problem_));
    update();
}

void PlaceholderSimulationPanel::ReportCorrect() {
    if (OnCorrect) OnCorrect();
}

void PlaceholderSimulationPanel::ReportIncorrect(int frame) {
    if (OnIncorrect) OnIncorrect(frame);
}

void PlaceholderSimulationPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!firstFrame_.isNull() && width() > 10) {
        const QSize fitted = firstFrame_.size().scaled(size() - QSize(8, 8), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - fitted.width()) / 2, 4), fitted);
        painter.setOpacity(0.55);
        painter.drawImage(target, firstFrame_);
    }
}

void PlaceholderSimulationPanel::resizeEvent(QResizeEvent*) {
    const int noteWidth = qMax(0, qMin(420, width() - 20));
    note_->setGeometry((width() - noteWidth) / 2, height() / 2 - 40, noteWidth, 52);
    skip_->setGeometry((width() - 140) / 2, height() / 2 + 20, 140, 26);
}

}  // namespace zentrix::engine
