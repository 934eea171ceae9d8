#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QList>
#include <optional>
#include <vector>

#include "simulation/simulation_version.h"
#include "simulation/status.h"
#include "simulation/tframe.h"

namespace zentrix::tools {

// A simulation as its author describes it: screenshots, and per frame the
// zones with the pointer files and sounds they embed. README.md, section
// "Simulation descriptions", documents the JSON form.
struct SimulationDescription {
    std::optional<simulation::SimulationVersion> version;
    QList<QImage> screenshots;
    std::vector<simulation::TFrame> frames;  // one per screenshot
    QList<QByteArray> cursorFiles;
    QList<QByteArray> sounds;
};

// Parses a JSON description. Files it names (screenshots, pointer files,
// sounds) are relative to baseDir. Unknown members are errors, so that a
// misspelt member is not silently ignored.
class SimulationDescriptionParser {
public:
    static simulation::Result<SimulationDescription> parse(const QByteArray& json,
                                                           const QDir& baseDir);
};

}  // namespace zentrix::tools
