#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>

#include "simulation/error_reporter.h"
#include "simulation/panel/tbz_demo_q_engine.h"
#include "simulation/question_service.h"

namespace zentrix::tools {

// A window of its own around the simulation panel, for authors who check a
// simulation before it goes into an exam. The status line below the picture
// says what happened: "correct" or "incorrect at frame n". Without test mode
// the panel stops at the first outcome; with it the simulation goes on being
// played. Esc closes the window.
class SimulationPlayWindow : public QWidget {
    Q_OBJECT
public:
    SimulationPlayWindow(simulation::QuestionService& questions, simulation::ErrorReporter& errors,
                         bool testMode, QWidget* parent = nullptr);

    // Loads the file and fits the window to its picture. False when it
    // cannot be played (the error or question has been shown).
    bool open(const QString& path);

    simulation::panel::TBZDemoQEngine* panel() const { return panel_; }
    QString status() const { return status_->text(); }
    // Called with each outcome's text as it happens.
    std::function<void(const QString&)> onOutcome;
    // The last outcome: 0 none yet, 1 correct, -1 incorrect.
    int lastOutcome() const { return lastOutcome_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void report(const QString& text, int outcome);

    simulation::panel::TBZDemoQEngine* panel_;
    QLabel* status_;
    int lastOutcome_ = 0;
};

}  // namespace zentrix::tools
