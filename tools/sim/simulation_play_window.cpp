#include "tools/sim/simulation_play_window.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace zentrix::tools {

SimulationPlayWindow::SimulationPlayWindow(simulation::QuestionService& questions,
                                           simulation::ErrorReporter& errors, bool testMode,
                                           QWidget* parent)
    : QWidget(parent) {
    simulation::panel::TBZDemoQEngine::Services services;
    services.questions = &questions;
    services.errors = &errors;
    panel_ = new simulation::panel::TBZDemoQEngine(std::move(services), this);
    panel_->setIn_TestMode(testMode);
    QPalette white = panel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel_->setPalette(white);
    status_ = new QLabel(tr("Playing"), this);
    status_->setAccessibleName(tr("Outcome"));
    status_->setMargin(4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel_, 1);
    layout->addWidget(status_);

    panel_->setOnCorrectEvent(
        [this](simulation::panel::TBZDemoQEngine&) { report(QStringLiteral("correct"), 1); });
    panel_->setOnInCorrectEvent([this](simulation::panel::TBZDemoQEngine&, int frame) {
        report(QStringLiteral("incorrect at frame %1").arg(frame), -1);
    });
}

bool SimulationPlayWindow::open(const QString& path) {
    setWindowTitle(tr("%1 - zentrix-sim play").arg(QFileInfo(path).fileName()));
    if (!panel_->LoadSimulation(path)) return false;
    panel_->setMinimumSize(panel_->pictureSize());
    resize(panel_->pictureSize().width(),
           panel_->pictureSize().height() + status_->sizeHint().height());
    return true;
}

void SimulationPlayWindow::report(const QString& text, int outcome) {
    lastOutcome_ = outcome;
    status_->setText(panel_->In_TestMode() ? tr("%1 (playing on)").arg(text) : text);
    if (onOutcome) onOutcome(text);
}

void SimulationPlayWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zentrix::tools
