#pragma once

// The test screen's simulation panel, played by TBZDemoQEngine
// (simulation/panel/): the player's widget is the panel the test screen
// places and parks, its two outcome events call OnCorrect and
// OnIncorrect(frame), its Yes/No questions and error box go to the engine's
// dialog service (DialogSimulationServices), and the pointer files embedded
// in simulations are written to the temporary folder it is given. The test
// screen never sets its test mode, so a finished simulation stops reacting
// until the next one is loaded.
//
// A question whose simulation cannot be played (the file could not be
// written or read, or the learner declined a doubtful file) shows a note in
// the empty panel, so the learner knows to go on with the next question.

#include <QObject>
#include <QPointer>
#include <QString>

#include "engine/screens/dialog_simulation_services.h"
#include "engine/screens/simulation_panel.h"
#include "simulation/panel/panel_timer.h"
#include "simulation/panel/tbz_demo_q_engine.h"

class QLabel;

namespace zentrix::simulation::panel {
class SoundOutput;
}

namespace zentrix::engine {

struct SimulationPanelOptions {
    // Where embedded pointer files go: the platform's temporary folder; empty
    // for the system's.
    QString tempFolder;
    // None: a window timer. Tests fire the timer themselves.
    simulation::panel::PanelTimerFactory makeTimer;
    // None: the default audio output (no device, no sound).
    simulation::panel::SoundOutput* sound = nullptr;
};

class DemoQEnginePanel final : public QObject, public SimulationPanel {
    Q_OBJECT
public:
    static constexpr const char* kCannotPlayNote =
        "This simulation cannot be played. Go on with the next question.";

    DemoQEnginePanel(QWidget* parent, DialogService& dialogs, SimulationPanelOptions options = {});
    ~DemoQEnginePanel() override;

    // The panel as the main window's plug-in (ScreenPlugins::simulationPanel).
    static SimulationPanelFactory Plugin(SimulationPanelOptions options = {});

    QWidget* Widget() override;
    // An empty path: the file could not be written (the test screen has said
    // why); the panel then shows nothing to play.
    void LoadSimulation(const QString& path) override;
    void Stop() override;

    simulation::panel::TBZDemoQEngine& Engine() const { return *engine_; }
    // Whether the last load gave a simulation to play.
    bool Playable() const { return playable_; }
    QLabel* Note() const { return note_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeNote();

    DialogSimulationServices services_;
    QPointer<simulation::panel::TBZDemoQEngine> engine_;
    QLabel* note_;
    bool playable_ = false;
};

}  // namespace zentrix::engine
