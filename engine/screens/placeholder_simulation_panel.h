#pragma once

// The simulation panel until the player is wired in: it reads the file with
// the simulation reader, shows its first frame scaled into the panel with a
// note that the simulation cannot be played here, and offers "Skip
// simulation", which counts the question as not done right. Tests press
// ReportCorrect / ReportIncorrect to play an outcome.

#include <QWidget>

#include "engine/screens/simulation_panel.h"

class QLabel;
class QPushButton;

namespace zentrix::engine {

class PlaceholderSimulationPanel : public QWidget, public SimulationPanel {
    Q_OBJECT
public:
    explicit PlaceholderSimulationPanel(QWidget* parent);

    QWidget* Widget() override { return this; }
    void LoadSimulation(const QString& path) override;
    void Stop() override { ++stops_; }
    int StopCount() const { return stops_; }

    const QString& LoadedPath() const { return path_; }
    int FrameCount() const { return frames_; }
    void ReportCorrect();
    void ReportIncorrect(int frame = 1);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString path_;
    QImage firstFrame_;
    int frames_ = 0;
    int stops_ = 0;
    QString problem_;
    QLabel* note_;
    QPushButton* skip_;
};

}  // namespace zentrix::engine
