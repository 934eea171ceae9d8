#pragma once

#include <QByteArray>
#include <QList>
#include <vector>

#include "simulation/simulation_version.h"
#include "simulation/status.h"
#include "simulation/tframe.h"

namespace zentrix::simulation {

// Everything a simulation file holds, ready to be written.
struct SimulationDraft {
    SimulationVersion version = SimulationVersion::newest();
    std::uint8_t fileType = 0;
    QByteArray gif;              // a complete GIF, one image per frame
    int frameCount = 0;          // images in gif
    std::vector<TFrame> frames;  // frames[n - 1] holds the zones of frame n; may be shorter
    QList<QByteArray> cursorFiles;
    QList<QByteArray> sounds;
};

// Writes a simulation file in the draft's version. Refuses, with a message
// naming the frame, zone and feature, anything the version cannot carry or
// the reader would not read back as it was given: an ellipse before 0x0109, a
// sound before 0x0107, a timed delay the version cannot express, and so on.
class SimulationWriter {
public:
    static Result<QByteArray> write(const SimulationDraft& draft);
};

}  // namespace zentrix::simulation
