#include "simulation/zone_record_reader.h"

#include <limits>

#include "simulation/byte_reader.h"
#include "simulation/code_page.h"
#include "simulation/pointer_file_name.h"
#include "simulation/simulation_layout.h"
#include "simulation/zone_type.h"

namespace zentrix::simulation {

namespace {

Status endsEarly(const char* part) {
    return Status::error(std::string(part) + " runs past the end of its zone record");
}

std::string quoted(const QString& text) {
    constexpr int kShown = 40;
    return "\"" + text.left(kShown).toStdString() + (text.size() > kShown ? "...\"" : "\"");
}

}  // namespace

ZoneRecordReader::ZoneRecordReader(SimulationVersion version, int frameCount,
                                   const std::vector<TFrame>& frames,
                                   QList<QByteArray>& cursorFiles, QList<QByteArray>& sounds)
    : version_(version),
      frameCount_(frameCount),
      frames_(frames),
      cursorFiles_(cursorFiles),
      sounds_(sounds) {}

Status ZoneRecordReader::read(QByteArrayView record, int frameNumber, TZone& zone) {
    if (record.size() < version_.zoneHeaderSize()) {
        return Status::error("zone record of " + std::to_string(record.size()) +
                             " bytes is shorter than its " +
                             std::to_string(version_.zoneHeaderSize()) + "-byte header");
    }
    ByteReader reader(record);
    reader.skip(2);  // length, checked by the caller
    std::uint8_t type = 0, flags = 0;
    reader.readU8(type);
    reader.readU8(flags);
    zone.ZoneType = type;
    zone.ZoneFlags = flags & version_.zoneFlagsMask();
    if (version_.has(VersionFeature::ModifierKeys)) {
        zone.NeedCtrl = zone.ZoneFlags & layout::kZoneCtrlFlag;
        zone.NeedAlt = zone.ZoneFlags & layout::kZoneAltFlag;
        zone.NeedShift = zone.ZoneFlags & layout::kZoneShiftFlag;
    }

    std::uint8_t targetByte = 0;
    std::uint32_t delay = 0;
    ZX_TRY(version_.has(VersionFeature::OutlineHeader)
               ? readOutlineHeader(reader, zone, targetByte, delay)
               : readRectangleHeader(reader, zone, targetByte));
    ZX_TRY(applyTarget(zone, frameNumber, targetByte, delay));

    reader = ByteReader(record);
    reader.skip(version_.zoneHeaderSize());
    ZX_TRY(readTypePayload(reader, zone, frameNumber));
    if (zone.ZoneType != static_cast<int>(ZoneType::Pointer) &&
        (zone.ZoneFlags & layout::kZonePointerFlag)) {
        ZX_TRY(readPointerSpec(reader, zone, frameNumber));
    }
    return Status::ok();
}

Status ZoneRecordReader::readRectangleHeader(ByteReader& reader, TZone& zone,
                                             std::uint8_t& targetByte) {
    std::uint16_t left = 0, top = 0, right = 0, bottom = 0;
    reader.readU16(left);
    reader.readU16(top);
    reader.readU16(right);
    reader.readU16(bottom);
    reader.readU8(targetByte);
    zone.Points[0] = QPoint(left, top);
    zone.Points[1] = QPoint(right, bottom);
    zone.Shape = layout::kShapeRectangle;
    zone.PointCount = 0;
    return Status::ok();
}

Status ZoneRecordReader::readOutlineHeader(ByteReader& reader, TZone& zone,
                                           std::uint8_t& targetByte, std::uint32_t& delay) {
    for (QPoint& point : zone.Points) {
        std::int32_t x = 0, y = 0;
        reader.readI32(x);
        reader.readI32(y);
        point = QPoint(x, y);
    }
    std::uint8_t count = 0;
    reader.readU8(zone.Shape);
    reader.readU8(count);
    reader.readU8(targetByte);
    if (zone.Shape == layout::kShapePolygon) {
        if (count > layout::kOutlinePoints) {
            return Status::error("polygon of " + std::to_string(count) + " points (at most " +
                                 std::to_string(layout::kOutlinePoints) + ")");
        }
        zone.PointCount = count;
    }
    if (version_.has(VersionFeature::TimedDelayField)) {
        reader.skip(1);
        reader.readU32(delay);
    }
    return Status::ok();
}

Status ZoneRecordReader::applyTarget(TZone& zone, int frameNumber, std::uint8_t targetByte,
                                     std::uint32_t delay) {
    if (zone.ZoneType == static_cast<int>(ZoneType::Timed)) {
        switch (version_.timedRule()) {
            case TimedRule::TargetByteTimesTenToNextFrame:
                zone.DelayTicks = targetByte * layout::kOldDelayFactor;
                zone.TargetFrame = frameNumber + 1;
                break;
            case TimedRule::TargetByteToNextFrame:
                zone.DelayTicks = targetByte;
                zone.TargetFrame = frameNumber + 1;
                break;
            case TimedRule::DelayFieldOwnTarget:
                if (delay > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
                    return Status::error("timed zone delay of " + std::to_string(delay) +
                                         " ticks is out of range");
                }
                zone.DelayTicks = static_cast<std::int32_t>(delay);
                zone.TargetFrame =
                    targetByte;  // 0: the next frame, decided when the delay runs out
                break;
        }
        if (zone.DelayTicks == 0) zone.DelayTicks = layout::kDefaultDelayTicks;
        const int leadsTo = zone.TargetFrame == 0 ? frameNumber + 1 : zone.TargetFrame;
        if (leadsTo > frameCount_) {
            return Status::error("timed zone on frame " + std::to_string(frameNumber) +
                                 " leads to frame " + std::to_string(leadsTo) +
                                 " but the picture has " + std::to_string(frameCount_) + " frames");
        }
        return Status::ok();
    }
    zone.TargetFrame = targetByte;
    if (zone.TargetFrame > frameCount_) {
        return Status::error("target frame " + std::to_string(zone.TargetFrame) +
                             " is beyond the picture's " + std::to_string(frameCount_) + " frames");
    }
    return Status::ok();
}

Status ZoneRecordReader::readTypePayload(ByteReader& reader, TZone& zone, int frameNumber) {
    switch (zone.ZoneType) {
        case static_cast<int>(ZoneType::EnterField):
        case static_cast<int>(ZoneType::PlainField):
        case static_cast<int>(ZoneType::TabField):
            return readTextPayload(reader, zone);
        case static_cast<int>(ZoneType::Address):
            return version_.has(VersionFeature::AddressFields) ? readTextPayload(reader, zone)
                                                               : Status::ok();
        case static_cast<int>(ZoneType::Pointer):
            return version_.has(VersionFeature::PointerSpecs)
                       ? readPointerSpec(reader, zone, frameNumber)
                       : Status::ok();
        case static_cast<int>(ZoneType::Key): {
            if (!version_.has(VersionFeature::KeyZones)) return Status::ok();
            QByteArrayView key;
            if (!reader.readBytes(1, key)) return endsEarly("key byte");
            zone.AnswerText = CodePage::decode(key);
            return Status::ok();
        }
        case static_cast<int>(ZoneType::Sound):
            return version_.has(VersionFeature::SoundZones) ? readSound(reader, zone)
                                                            : Status::ok();
        default:
            return Status::ok();
    }
}

Status ZoneRecordReader::readTextPayload(ByteReader& reader, TZone& zone) {
    if (!reader.readU32(zone.FieldFlags)) return endsEarly("text field flags");
    const std::uint32_t flags = zone.FieldFlags;
    if (flags & layout::kFieldFontSize) {
        std::uint16_t size = 0;
        if (!reader.readU16(size)) return endsEarly("font size");
        zone.FontSize = size;
    }
    if ((flags & layout::kFieldFontColor) && !reader.readI32(zone.FontColor)) {
        return endsEarly("font colour");
    }
    if (flags & layout::kFieldBackColor) {
        if (version_.backColorSize() == 4) {
            if (!reader.readI32(zone.BackColor)) return endsEarly("background colour");
        } else {
            std::uint16_t colour = 0;
            if (!reader.readU16(colour)) return endsEarly("background colour");
            zone.BackColor = colour;
        }
    }
    std::uint8_t frame = 0, number = 0;
    if (flags & layout::kFieldSameAs) {
        if (!reader.readU8(frame) || !reader.readU8(number)) return endsEarly("repeated field");
        zone.SameAsFrame = frame;
        zone.SameAsZone = number;
    }
    if ((flags & layout::kFieldLink) && version_.has(VersionFeature::LinkedFields)) {
        if (!reader.readU8(frame) || !reader.readU8(number)) return endsEarly("linked field");
        zone.LinkFrame = frame;
        zone.LinkZone = number;
    }
    QByteArrayView text;
    if (flags & layout::kFieldFontName) {
        if (!reader.readString(text)) return endsEarly("font name");
        zone.FontName = CodePage::decode(text);
        if (zone.ZoneType == static_cast<int>(ZoneType::Address)) {
            zone.FontName = QString::fromLatin1(layout::kAddressFontName);
        }
    }
    if (flags & layout::kFieldAnswer) {
        if (!reader.readString(text)) return endsEarly("expected answer");
        zone.AnswerText = CodePage::decode(text);
    }
    if ((flags & layout::kFieldAlternatives) && version_.has(VersionFeature::Alternatives)) {
        std::uint8_t count = 0;
        if (!reader.readU8(count)) return endsEarly("further answers");
        for (int i = 0; i < count; ++i) {
            if (!reader.readString(text)) return endsEarly("further answers");
            zone.Alternatives.append(CodePage::decode(text));
        }
    }
    return Status::ok();
}

Status ZoneRecordReader::readPointerSpec(ByteReader& reader, TZone& zone, int frameNumber) {
    std::uint8_t code = 0;
    if (!reader.readU8(code)) return endsEarly("pointer code");
    zone.CursorCode = code;
    if (code <= layout::kLastStandardCursor) return Status::ok();

    if (code == layout::kCursorEmbedded) {
        QByteArrayView name, bytes;
        std::uint32_t length = 0;
        if (!reader.readString(name)) return endsEarly("pointer file name");
        zone.CursorFileName = CodePage::decode(name);
        if (!isPlainPointerFileName(zone.CursorFileName)) {
            return Status::error("pointer file name " + quoted(zone.CursorFileName) +
                                 " is not a plain file name");
        }
        if (!reader.readU32(length)) return endsEarly("pointer file length");
        if (length > static_cast<std::uint64_t>(reader.remaining())) {
            return endsEarly("pointer file");
        }
        reader.readBytes(static_cast<qsizetype>(length), bytes);
        cursorFiles_.append(bytes.toByteArray());
        zone.CursorIndex = static_cast<std::int32_t>(cursorFiles_.size() - 1);
        return Status::ok();
    }

    if (code == layout::kCursorReuse) {
        std::uint8_t frame = 0, number = 0;
        if (!reader.readU8(frame) || !reader.readU8(number)) return endsEarly("reused pointer");
        zone.CursorRefFrame = frame;
        zone.CursorRefZone = number;
        const bool readAlready = frame >= 1 && frame <= frameNumber &&
                                 static_cast<size_t>(frame) <= frames_.size() && number >= 1 &&
                                 number <= frames_[frame - 1].ZoneCount();
        if (!readAlready) {
            return Status::error("pointer reused from frame " + std::to_string(frame) + " zone " +
                                 std::to_string(number) + ", which has not been read before");
        }
        const TZone& source = frames_[frame - 1].Zones[number - 1];
        if (!source.hasPointer() || (source.CursorCode != layout::kCursorEmbedded &&
                                     source.CursorCode != layout::kCursorReuse)) {
            return Status::error("pointer reused from frame " + std::to_string(frame) + " zone " +
                                 std::to_string(number) + ", which embeds no pointer");
        }
        zone.CursorIndex = source.CursorIndex;
        return Status::ok();
    }
    return Status::error("unknown pointer code " + std::to_string(code));
}

Status ZoneRecordReader::readSound(ByteReader& reader, TZone& zone) {
    std::uint32_t length = 0;
    QByteArrayView bytes;
    if (!reader.readU32(length)) return endsEarly("sound length");
    if (length > static_cast<std::uint64_t>(reader.remaining())) return endsEarly("sound");
    reader.readBytes(static_cast<qsizetype>(length), bytes);
    sounds_.append(bytes.toByteArray());
    zone.SoundIndex = static_cast<std::int32_t>(sounds_.size() - 1);
    return Status::ok();
}

}  // namespace zentrix::simulation
