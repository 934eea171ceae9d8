#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <string>
#include <vector>

#include "simulation/simulation_version.h"
#include "simulation/status.h"
#include "simulation/tframe.h"

namespace zentrix::simulation {

class ByteReader;

// Reads one zone record of one version into a TZone. Embedded pointer files
// and sounds are appended to the lists it was given; a pointer reused from an
// earlier zone is looked up among the frames read so far. Every part read
// must lie inside the record.
class ZoneRecordReader {
public:
    ZoneRecordReader(SimulationVersion version, int frameCount, const std::vector<TFrame>& frames,
                     QList<QByteArray>& cursorFiles, QList<QByteArray>& sounds);

    // record: the whole zone record, its length word included. frameNumber is
    // 1-based; the frame's zones read so far are already in frames.
    Status read(QByteArrayView record, int frameNumber, TZone& zone);

private:
    Status readRectangleHeader(ByteReader& reader, TZone& zone, std::uint8_t& targetByte);
    Status readOutlineHeader(ByteReader& reader, TZone& zone, std::uint8_t& targetByte,
                             std::uint32_t& delay);
    Status applyTarget(TZone& zone, int frameNumber, std::uint8_t targetByte, std::uint32_t delay);
    Status readTypePayload(ByteReader& reader, TZone& zone, int frameNumber);
    Status readTextPayload(ByteReader& reader, TZone& zone);
    Status readPointerSpec(ByteReader& reader, TZone& zone, int frameNumber);
    Status readSound(ByteReader& reader, TZone& zone);

    SimulationVersion version_;
    int frameCount_;
    const std::vector<TFrame>& frames_;
    QList<QByteArray>& cursorFiles_;
    QList<QByteArray>& sounds_;
};

}  // namespace zentrix::simulation
