#include "simulation/simulation_writer.h"

#include "simulation/byte_writer.h"
#include "simulation/code_page.h"
#include "simulation/pointer_file_name.h"
#include "simulation/simulation_layout.h"
#include "simulation/zone_type.h"

namespace zentrix::simulation {

namespace {

class ZoneWriter {
public:
    ZoneWriter(const SimulationDraft& draft, int frameNumber, int zoneNumber)
        : draft_(draft),
          version_(draft.version),
          frameNumber_(frameNumber),
          zoneNumber_(zoneNumber) {}

    Result<QByteArray> write(const TZone& zone);

private:
    Status refuse(const std::string& what) const {
        return Status::error("frame " + std::to_string(frameNumber_) + " zone " +
                             std::to_string(zoneNumber_) + ": " + what);
    }
    Status require(VersionFeature feature) const;
    Status writeHeader(const TZone& zone);
    Status writeTimedHeader(const TZone& zone, std::uint8_t& targetByte, std::uint32_t& delay);
    Status writeText(const TZone& zone);
    Status writePointer(const TZone& zone);
    Status writeString(const QString& text, const char* what);

    const SimulationDraft& draft_;
    SimulationVersion version_;
    int frameNumber_;
    int zoneNumber_;
    ByteWriter out_;
};

Status ZoneWriter::require(VersionFeature feature) const {
    if (version_.has(feature)) return Status::ok();
    return refuse(SimulationVersion::featureName(feature).toStdString() + " need version " +
                  SimulationVersion::fromWord(SimulationVersion::firstWordWith(feature))
                      ->text()
                      .toStdString() +
                  " or later; writing " + version_.text().toStdString());
}

Result<QByteArray> ZoneWriter::write(const TZone& zone) {
    if (zone.ZoneType < 0 || zone.ZoneType > 0xFF) return refuse("zone type out of range");
    ZX_TRY(writeHeader(zone));
    switch (zone.ZoneType) {
        case static_cast<int>(ZoneType::EnterField):
        case static_cast<int>(ZoneType::PlainField):
        case static_cast<int>(ZoneType::TabField):
            ZX_TRY(writeText(zone));
            break;
        case static_cast<int>(ZoneType::Address):
            ZX_TRY(require(VersionFeature::AddressFields));
            ZX_TRY(writeText(zone));
            break;
        case static_cast<int>(ZoneType::Pointer):
            ZX_TRY(require(VersionFeature::PointerSpecs));
            ZX_TRY(writePointer(zone));
            break;
        case static_cast<int>(ZoneType::Key): {
            ZX_TRY(require(VersionFeature::KeyZones));
            const auto key = CodePage::encode(zone.AnswerText);
            if (!key || key->size() != 1)
                return refuse("a key zone needs exactly one key character");
            out_.writeBytes(*key);
            break;
        }
        case static_cast<int>(ZoneType::Sound):
            ZX_TRY(require(VersionFeature::SoundZones));
            if (zone.SoundIndex < 0 || zone.SoundIndex >= draft_.sounds.size()) {
                return refuse("sound index out of range");
            }
            out_.writeU32(static_cast<std::uint32_t>(draft_.sounds[zone.SoundIndex].size()));
            out_.writeBytes(draft_.sounds[zone.SoundIndex]);
            break;
        default:
            break;
    }
    if (zone.ZoneType != static_cast<int>(ZoneType::Pointer) &&
        (zone.ZoneFlags & layout::kZonePointerFlag)) {
        ZX_TRY(writePointer(zone));
    }
    if (out_.size() > layout::kMaxFrameRecordSize) {
        return refuse("zone record of " + std::to_string(out_.size()) + " bytes is too long");
    }
    out_.patchU16(0, static_cast<std::uint16_t>(out_.size()));
    return out_.take();
}

Status ZoneWriter::writeHeader(const TZone& zone) {
    std::uint8_t flags = zone.ZoneFlags;
    if (zone.NeedCtrl) flags |= layout::kZoneCtrlFlag;
    if (zone.NeedAlt) flags |= layout::kZoneAltFlag;
    if (zone.NeedShift) flags |= layout::kZoneShiftFlag;
    if (flags & (layout::kZoneCtrlFlag | layout::kZoneAltFlag | layout::kZoneShiftFlag)) {
        ZX_TRY(require(VersionFeature::ModifierKeys));
    }
    if (zone.ZoneType != static_cast<int>(ZoneType::Pointer) &&
        (flags & layout::kZonePointerFlag)) {
        ZX_TRY(require(VersionFeature::PointerTail));
    }
    if (flags & ~version_.zoneFlagsMask()) {
        return refuse("zone flags " + std::to_string(flags) + " cannot be stored in version " +
                      version_.text().toStdString());
    }

    std::uint8_t targetByte = 0;
    std::uint32_t delay = 0;
    if (zone.ZoneType == static_cast<int>(ZoneType::Timed)) {
        ZX_TRY(writeTimedHeader(zone, targetByte, delay));
    } else {
        if (zone.TargetFrame < 0 || zone.TargetFrame > 0xFF ||
            zone.TargetFrame > draft_.frameCount) {
            return refuse("target frame " + std::to_string(zone.TargetFrame) + " out of range");
        }
        targetByte = static_cast<std::uint8_t>(zone.TargetFrame);
    }

    out_.writeU16(0);  // length, patched at the end
    out_.writeU8(static_cast<std::uint8_t>(zone.ZoneType));
    out_.writeU8(flags);
    if (!version_.has(VersionFeature::OutlineHeader)) {
        const QPoint a = zone.Points[0], b = zone.Points[1];
        bool plainRectangle = zone.Shape == layout::kShapeRectangle && zone.PointCount == 0;
        for (int i = 2; i < layout::kOutlinePoints; ++i) plainRectangle &= zone.Points[i].isNull();
        for (int v : {a.x(), a.y(), b.x(), b.y()}) plainRectangle &= v >= 0 && v <= 0xFFFF;
        if (!plainRectangle) ZX_TRY(require(VersionFeature::OutlineHeader));
        for (int v : {a.x(), a.y(), b.x(), b.y()}) out_.writeU16(static_cast<std::uint16_t>(v));
        out_.writeU8(targetByte);
        out_.writeU8(0);
        return Status::ok();
    }
    for (const QPoint& p : zone.Points) {
        out_.writeI32(p.x());
        out_.writeI32(p.y());
    }
    if (zone.PointCount > layout::kOutlinePoints) return refuse("more than 30 polygon points");
    if (zone.PointCount != 0 && zone.Shape != layout::kShapePolygon) {
        return refuse("a point count is kept only for polygons");
    }
    out_.writeU8(zone.Shape);
    out_.writeU8(zone.PointCount);
    out_.writeU8(targetByte);
    out_.writeU8(0);
    if (version_.has(VersionFeature::TimedDelayField)) out_.writeU32(delay);
    return Status::ok();
}

Status ZoneWriter::writeTimedHeader(const TZone& zone, std::uint8_t& targetByte,
                                    std::uint32_t& delay) {
    if (zone.DelayTicks < 1) return refuse("a timed zone waits at least 1 tick");
    const int nextFrame = frameNumber_ + 1;
    if (version_.timedRule() == TimedRule::DelayFieldOwnTarget) {
        const int leadsTo = zone.TargetFrame == 0 ? nextFrame : zone.TargetFrame;
        if (zone.TargetFrame < 0 || zone.TargetFrame > 0xFF || leadsTo > draft_.frameCount) {
            return refuse("timed zone target frame " + std::to_string(leadsTo) + " out of range");
        }
        targetByte = static_cast<std::uint8_t>(zone.TargetFrame);
        delay = static_cast<std::uint32_t>(zone.DelayTicks);
        return Status::ok();
    }
    if (zone.TargetFrame != nextFrame) {
        return refuse(
            "a timed zone that leads elsewhere than the next frame needs version 0x0110;"
            " writing " +
            version_.text().toStdString());
    }
    if (nextFrame > draft_.frameCount)
        return refuse("timed zone on the last frame has no next frame");
    const bool timesTen = version_.timedRule() == TimedRule::TargetByteTimesTenToNextFrame;
    const int factor = timesTen ? layout::kOldDelayFactor : 1;
    if (zone.DelayTicks % factor != 0 || zone.DelayTicks / factor > 0xFF) {
        const char* needed = (zone.DelayTicks <= 0xFF && timesTen) ? "0x0109" : "0x0110";
        return refuse("a timed delay of " + std::to_string(zone.DelayTicks) +
                      " ticks needs version " + needed + " or later; writing " +
                      version_.text().toStdString());
    }
    targetByte = static_cast<std::uint8_t>(zone.DelayTicks / factor);
    return Status::ok();
}

Status ZoneWriter::writeString(const QString& text, const char* what) {
    const auto bytes = CodePage::encode(text);
    if (!bytes)
        return refuse(std::string(what) + " holds characters outside the Windows code page");
    if (bytes->contains('\0')) return refuse(std::string(what) + " holds a zero character");
    out_.writeString(*bytes);
    return Status::ok();
}

Status ZoneWriter::writeText(const TZone& zone) {
    const std::uint32_t flags = zone.FieldFlags;
    out_.writeU32(flags);
    if (flags & layout::kFieldFontSize) {
        if (zone.FontSize < 0 || zone.FontSize > 0xFFFF) return refuse("font size out of range");
        out_.writeU16(static_cast<std::uint16_t>(zone.FontSize));
    }
    if (flags & layout::kFieldFontColor) out_.writeI32(zone.FontColor);
    if (flags & layout::kFieldBackColor) {
        if (version_.backColorSize() == 2) {
            if (zone.BackColor < 0 || zone.BackColor > 0xFFFF) {
                ZX_TRY(require(VersionFeature::WideBackColor));
            }
            out_.writeU16(static_cast<std::uint16_t>(zone.BackColor));
        } else {
            out_.writeI32(zone.BackColor);
        }
    }
    auto writePair = [this](int frame, int zoneNumber, const char* what) -> Status {
        if (frame < 0 || frame > 0xFF || zoneNumber < 0 || zoneNumber > 0xFF) {
            return refuse(std::string(what) + " out of range");
        }
        out_.writeU8(static_cast<std::uint8_t>(frame));
        out_.writeU8(static_cast<std::uint8_t>(zoneNumber));
        return Status::ok();
    };
    if (flags & layout::kFieldSameAs)
        ZX_TRY(writePair(zone.SameAsFrame, zone.SameAsZone, "repeated field"));
    if (flags & layout::kFieldLink) {
        ZX_TRY(require(VersionFeature::LinkedFields));
        ZX_TRY(writePair(zone.LinkFrame, zone.LinkZone, "linked field"));
    }
    if (flags & layout::kFieldFontName) ZX_TRY(writeString(zone.FontName, "font name"));
    if (flags & layout::kFieldAnswer) ZX_TRY(writeString(zone.AnswerText, "expected answer"));
    if (flags & layout::kFieldAlternatives) {
        ZX_TRY(require(VersionFeature::Alternatives));
        if (zone.Alternatives.size() > 0xFF) return refuse("more than 255 further answers");
        out_.writeU8(static_cast<std::uint8_t>(zone.Alternatives.size()));
        for (const QString& answer : zone.Alternatives)
            ZX_TRY(writeString(answer, "further answer"));
    }
    return Status::ok();
}

Status ZoneWriter::writePointer(const TZone& zone) {
    if (zone.CursorCode < 0 || zone.CursorCode > layout::kCursorReuse) {
        return refuse("unknown pointer code " + std::to_string(zone.CursorCode));
    }
    out_.writeU8(static_cast<std::uint8_t>(zone.CursorCode));
    if (zone.CursorCode == layout::kCursorEmbedded) {
        if (zone.CursorIndex < 0 || zone.CursorIndex >= draft_.cursorFiles.size()) {
            return refuse("pointer file index out of range");
        }
        if (!isPlainPointerFileName(zone.CursorFileName)) {
            return refuse("pointer file name \"" + zone.CursorFileName.toStdString() +
                          "\" is not a plain file name");
        }
        ZX_TRY(writeString(zone.CursorFileName, "pointer file name"));
        const QByteArray& bytes = draft_.cursorFiles[zone.CursorIndex];
        out_.writeU32(static_cast<std::uint32_t>(bytes.size()));
        out_.writeBytes(bytes);
    } else if (zone.CursorCode == layout::kCursorReuse) {
        if (zone.CursorRefFrame < 1 || zone.CursorRefFrame > 0xFF || zone.CursorRefZone < 1 ||
            zone.CursorRefZone > 0xFF) {
            return refuse("reused pointer names no zone");
        }
        out_.writeU8(static_cast<std::uint8_t>(zone.CursorRefFrame));
        out_.writeU8(static_cast<std::uint8_t>(zone.CursorRefZone));
    }
    return Status::ok();
}

}  // namespace

Result<QByteArray> SimulationWriter::write(const SimulationDraft& draft) {
    if (draft.frameCount < 1) return Status::error("a simulation needs at least one frame");
    if (static_cast<int>(draft.frames.size()) > draft.frameCount) {
        return Status::error("more frames with zones than picture frames");
    }
    int recordCount = 0;
    for (size_t i = 0; i < draft.frames.size(); ++i) {
        if (!draft.frames[i].Zones.empty()) recordCount = static_cast<int>(i) + 1;
    }
    if (recordCount > layout::kMaxFrameRecords) {
        return Status::error("zones on frame " + std::to_string(recordCount) +
                             ": only the first 255 frames can have zones");
    }
    if (draft.gif.size() > 0xFFFFFFFFLL) return Status::error("GIF picture too large");

    ByteWriter out;
    out.writeU16(layout::kHeaderOriginValue);
    out.writeU16(draft.version.word());
    out.writeU8(draft.fileType);
    out.writeU8(static_cast<std::uint8_t>(recordCount));
    out.writeU16(0);
    out.writeU32(static_cast<std::uint32_t>(draft.gif.size()));
    out.writeBytes(draft.gif);

    for (int f = 0; f < recordCount; ++f) {
        const TFrame& frame = draft.frames[static_cast<size_t>(f)];
        if (frame.ZoneCount() > 0xFF) {
            return Status::error("frame " + std::to_string(f + 1) + " has more than 255 zones");
        }
        ByteWriter record;
        record.writeU16(0);
        record.writeU8(static_cast<std::uint8_t>(frame.ZoneCount()));
        record.writeU8(0);
        for (int z = 0; z < frame.ZoneCount(); ++z) {
            ZX_TRY_ASSIGN(
                auto zone,
                ZoneWriter(draft, f + 1, z + 1).write(frame.Zones[static_cast<size_t>(z)]));
            record.writeBytes(zone);
        }
        if (record.size() > layout::kMaxFrameRecordSize) {
            return Status::error(
                "frame " + std::to_string(f + 1) + ": zones, pointer files and sounds take " +
                std::to_string(record.size()) + " bytes, more than one frame record holds (65535)");
        }
        record.patchU16(0, static_cast<std::uint16_t>(record.size()));
        out.writeBytes(record.bytes());
    }
    return out.take();
}

}  // namespace zentrix::simulation
