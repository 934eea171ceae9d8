#pragma once

// What the test screen needs of the simulation panel (TBZDemoQEngine, built
// in simulation/panel/): a widget that plays a simulation file and reports
// whether the learner did it right.
//
// The test screen owns the panel for the window's life. For a simulation
// question it writes the file out of the question bank, calls
// LoadSimulation with its full path and gives the widget its area (left 10,
// top 84, 621 by 327); for other questions it parks the widget at 1 by 1.
// The panel calls OnCorrect or OnIncorrect once per play, when the learner
// finished it right or made a wrong action (`frame` is the frame shown then);
// the test screen records the answer and moves to the next question (after
// the panel's handler has returned, so the panel is never reloaded from
// inside its own event). The test screen never sets a test mode: a finished
// simulation stops reacting until it is loaded again.
//
// Keys typed while the panel has the focus belong to the simulation; the
// test screen's own keys act only outside it.

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace zentrix::engine {

class DialogService;

class SimulationPanel {
public:
    virtual ~SimulationPanel() = default;

    // The panel's widget, a child of the main window.
    virtual QWidget* Widget() = 0;
    // Loads the file and shows its first frame; the panel reports a file it
    // cannot read itself. An empty path: the file could not be written out
    // (the test screen has reported it); the panel shows nothing to play.
    virtual void LoadSimulation(const QString& path) = 0;
    // The question is left (another question is shown, or the test screen
    // is): whatever still runs for it (timers, sounds, a drag) ends.
    virtual void Stop() {}

    std::function<void()> OnCorrect;
    std::function<void(int frame)> OnIncorrect;
};

// Makes the panel for the main window `parent`; it reports through `dialogs`.
using SimulationPanelFactory =
    std::function<std::unique_ptr<SimulationPanel>(QWidget* parent, DialogService& dialogs)>;

}  // namespace zentrix::engine
