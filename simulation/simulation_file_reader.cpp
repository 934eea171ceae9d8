#include "simulation/simulation_file_reader.h"

#include "simulation/byte_reader.h"
#include "simulation/simulation_layout.h"
#include "simulation/zone_record_reader.h"

namespace zentrix::simulation {

namespace {

std::string recordName(int index) { return "frame record " + std::to_string(index + 1); }

// Frames, zones and fields that name another zone must name one that exists:
// the panel follows these links while playing.
Status checkLinks(const std::vector<TFrame>& frames) {
    for (size_t f = 0; f < frames.size(); ++f) {
        for (size_t z = 0; z < frames[f].Zones.size(); ++z) {
            const TZone& zone = frames[f].Zones[z];
            if (!(zone.FieldFlags & layout::kFieldLink) || zone.LinkFrame == 0) continue;
            const bool exists = zone.LinkFrame <= static_cast<int>(frames.size()) &&
                                zone.LinkZone >= 1 &&
                                zone.LinkZone <= frames[zone.LinkFrame - 1].ZoneCount();
            if (!exists) {
                return Status::error("frame " + std::to_string(f + 1) + " zone " +
                                     std::to_string(z + 1) + " links to frame " +
                                     std::to_string(zone.LinkFrame) + " zone " +
                                     std::to_string(zone.LinkZone) + ", which does not exist");
            }
        }
    }
    return Status::ok();
}

// The zone records of one frame record (given whole, its length word included,
// so that offsets match the layout).
Status readZones(QByteArrayView record, int index, ZoneRecordReader& zoneReader,
                 std::int32_t& nextZoneId, TFrame& frame) {
    ByteReader zones(record);
    std::uint8_t zoneCount = 0;
    zones.skip(2);
    zones.readU8(zoneCount);
    zones.skip(1);
    for (int z = 0; z < zoneCount; ++z) {
        const std::string where = recordName(index) + ", zone " + std::to_string(z + 1);
        const qsizetype start = zones.position();
        std::uint16_t zoneLength = 0;
        if (!zones.readU16(zoneLength)) {
            return Status::error(where + ": frame record ends before the zone record");
        }
        if (zoneLength < 2) {
            return Status::error(where + ": zone record claims " + std::to_string(zoneLength) +
                                 " bytes");
        }
        if (!zones.skip(zoneLength - 2)) {
            return Status::error(where + ": zone record of " + std::to_string(zoneLength) +
                                 " bytes overruns its frame record");
        }
        TZone zone;
        zone.ZoneId = nextZoneId++;
        ZX_TRY(
            zoneReader.read(record.sliced(start, zoneLength), index + 1, zone).withContext(where));
        frame.Zones.push_back(std::move(zone));
    }
    return Status::ok();
}

}  // namespace

Status SimulationFileReader::read(QByteArrayView file, SimulationVersion version,
                                  SimulationContent& content) {
    content.clear();
    Status status = readInto(file, version, content);
    if (!status) content.clear();
    return status;
}

Status SimulationFileReader::readInto(QByteArrayView file, SimulationVersion version,
                                      SimulationContent& content) {
    ByteReader header(file);
    std::uint8_t recordCount = 0;
    std::uint32_t gifLength = 0;
    if (!header.skip(layout::kHeaderRecordCountOffset) || !header.readU8(recordCount) ||
        !header.skip(2) || !header.readU32(gifLength)) {
        return Status::error("file ends inside its " + std::to_string(layout::kHeaderSize) +
                             "-byte header");
    }
    if (gifLength > static_cast<std::uint64_t>(header.remaining())) {
        return Status::error("GIF block of " + std::to_string(gifLength) +
                             " bytes is longer than the file");
    }
    ZX_TRY(content.Picture.loadFromMemory(file.sliced(layout::kHeaderSize, gifLength)));
    const int frameCount = content.Picture.frameCount();
    if (recordCount > frameCount) {
        return Status::error("header announces " + std::to_string(recordCount) +
                             " frame records but the picture has " + std::to_string(frameCount) +
                             " frames");
    }
    content.Frames.resize(static_cast<size_t>(frameCount));

    const QByteArrayView recordBytes = file.sliced(layout::kHeaderSize + gifLength);
    ByteReader records(recordBytes);
    ZoneRecordReader zoneReader(version, frameCount, content.Frames, content.CursorFiles,
                                content.Sounds);
    std::int32_t nextZoneId = 1;
    for (int index = 0; index < recordCount; ++index) {
        const qsizetype start = records.position();
        std::uint16_t length = 0;
        if (!records.readU16(length)) {
            return Status::error("file ends before " + recordName(index));
        }
        if (length < layout::kFrameRecordHeaderSize) {
            return Status::error(recordName(index) + " claims " + std::to_string(length) +
                                 " bytes, less than its header");
        }
        if (!records.skip(length - 2)) {
            return Status::error(recordName(index) + " of " + std::to_string(length) +
                                 " bytes runs past the end of the file");
        }
        ZX_TRY(readZones(recordBytes.sliced(start, length), index, zoneReader, nextZoneId,
                         content.Frames[static_cast<size_t>(index)]));
    }
    return checkLinks(content.Frames);
}

}  // namespace zentrix::simulation
