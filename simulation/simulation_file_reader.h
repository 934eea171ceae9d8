#pragma once

#include <QByteArrayView>

#include "simulation/simulation_content.h"
#include "simulation/simulation_version.h"
#include "simulation/status.h"

namespace zentrix::simulation {

// Reads a whole simulation file of one version: the GIF block into the picture,
// then one TFrame per picture frame with the zones of its frame record, the
// embedded pointer files and the sounds. Lengths, counts and frame and zone
// numbers are checked against the file and the picture; on any error the
// content is left empty, never half-filled.
class SimulationFileReader {
public:
    // file: the whole file from byte 0.
    static Status read(QByteArrayView file, SimulationVersion version, SimulationContent& content);

private:
    static Status readInto(QByteArrayView file, SimulationVersion version,
                           SimulationContent& content);
};

}  // namespace zentrix::simulation
