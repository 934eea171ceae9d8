#pragma once

// A simulation panel that plays nothing: it remembers what it was given and
// reports the outcome a test asks for, so the test screen's handling of
// simulation questions can be tested over the fake bank without files.

#include <QWidget>

#include "engine/screens/simulation_panel.h"

namespace zentrix::engine::testing {

class ScriptedSimulationPanel final : public QWidget, public SimulationPanel {
public:
    explicit ScriptedSimulationPanel(QWidget* parent) : QWidget(parent) {
        setAccessibleName(QStringLiteral("Simulation"));
    }

    QWidget* Widget() override { return this; }
    void LoadSimulation(const QString& path) override { path_ = path; }
    void Stop() override { ++stops_; }

    const QString& LoadedPath() const { return path_; }
    int StopCount() const { return stops_; }
    void ReportCorrect() {
        if (OnCorrect) OnCorrect();
    }
    void ReportIncorrect(int frame = 1) {
        if (OnIncorrect) OnIncorrect(frame);
    }

private:
    QString path_;
    int stops_ = 0;
};

}  // namespace zentrix::engine::testing
