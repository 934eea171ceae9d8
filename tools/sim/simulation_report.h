#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include "simulation/simulation_content.h"
#include "simulation/simulation_version.h"

namespace zentrix::tools {

// What "zentrix-sim info" prints about a simulation as read: JSON whose member
// names are those of TFrame and TZone, or lines for people.
class SimulationReport {
public:
    struct Header {
        simulation::SimulationVersion version = simulation::SimulationVersion::newest();
        int fileType = 0;
        int recordCount = 0;
        quint32 gifLength = 0;
    };

    static QJsonObject toJson(const Header& header, const simulation::SimulationContent& content);
    static QString toText(const Header& header, const simulation::SimulationContent& content);
};

}  // namespace zentrix::tools
