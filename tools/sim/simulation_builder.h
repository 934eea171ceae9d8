#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "simulation/simulation_version.h"
#include "simulation/simulation_writer.h"
#include "simulation/status.h"
#include "tools/sim/simulation_description.h"

namespace zentrix::tools {

// Turns a description into the bytes of a simulation file: the screenshots
// into one GIF, the zones into frame records of the chosen version (the
// command line's, else the description's, else the newest).
class SimulationBuilder {
public:
    static simulation::Result<simulation::SimulationDraft> draft(
        const SimulationDescription& description,
        std::optional<simulation::SimulationVersion> version);
    static simulation::Result<QByteArray> build(
        const SimulationDescription& description,
        std::optional<simulation::SimulationVersion> version);
    // Reads the description file and writes the simulation file.
    static simulation::Status buildFile(const QString& descriptionPath, const QString& outputPath,
                                        std::optional<simulation::SimulationVersion> version);
};

}  // namespace zentrix::tools
