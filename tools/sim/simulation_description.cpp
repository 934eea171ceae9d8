#include "tools/sim/simulation_description.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "simulation/simulation_layout.h"
#include "simulation/zone_type.h"

namespace zentrix::tools {

using simulation::Result;
using simulation::Status;
using simulation::TFrame;
using simulation::TZone;
namespace layout = simulation::layout;

namespace {

struct Named {
    const char* name;
    std::uint32_t value;
};

constexpr Named kZoneTypes[] = {
    {"hover", 0},       {"enterField", 1}, {"field", 2},    {"click", 3},
    {"doubleClick", 4}, {"rightClick", 5}, {"timed", 6},    {"pointer", 7},
    {"tabField", 8},    {"press", 9},      {"release", 10}, {"rightPress", 11},
    {"wrongClick", 12}, {"key", 13},       {"address", 14}, {"sound", 15},
};

constexpr Named kPointers[] = {
    {"default", 0},  {"none", 1},       {"arrow", 2},         {"cross", 3},    {"iBeam", 4},
    {"move", 5},     {"sizeNESW", 6},   {"sizeNS", 7},        {"sizeNWSE", 8}, {"sizeWE", 9},
    {"upArrow", 10}, {"hourglass", 11}, {"drag", 12},         {"noDrop", 13},  {"hSplit", 14},
    {"vSplit", 15},  {"multiDrag", 16}, {"databaseWait", 17}, {"no", 18},      {"appStart", 19},
    {"help", 20},    {"hand", 21},
};

// Field flag bits that carry no data of their own; the data bits follow from
// the members present.
constexpr Named kFieldFlags[] = {
    {"skipCheck", 0x1},
    {"singleLine", 0x2},
    {"border", 0x4},
    {"alignRight", 0x8},
    {"alignLeft", 0x10},
    {"alignCenter", 0x20},
    {"bold", 0x80},
    {"italic", 0x100},
    {"underline", 0x200},
    {"strikeOut", 0x400},
    {"wordWrap", 0x20000},
    {"required", 0x40000},
    {"showCarriedText", 0x100000},
    {"disabled", 0x200000},
    {"notTabStop", 0x800000},
    {"matchCase", 0x2000000},
    {"checkOnChange", 0x4000000},
    {"submitOnClick", 0x8000000},
};

template <size_t N>
std::optional<std::uint32_t> lookUp(const Named (&table)[N], const QString& name) {
    for (const Named& entry : table) {
        if (name == QLatin1String(entry.name)) return entry.value;
    }
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(const QDir& baseDir) : baseDir_(baseDir) {}
    Result<SimulationDescription> parse(const QByteArray& json);

private:
    Status parseFrame(const QJsonObject& object, int frameNumber, TFrame& frame);
    Status parseZone(const QJsonObject& object, int frameNumber, TZone& zone);
    Status parseOutline(const QJsonObject& object, TZone& zone);
    Status parseText(const QJsonObject& object, TZone& zone);
    Status parsePointer(const QJsonValue& value, TZone& zone);
    Result<QByteArray> readFile(const QString& name, const char* what);
    static Result<int> integer(const QJsonValue& value, const std::string& what, long long low,
                               long long high);
    static Result<std::int32_t> colour(const QJsonValue& value, const std::string& what);
    static Status onlyKnownMembers(const QJsonObject& object, const QSet<QString>& known,
                                   const std::string& where);

    QDir baseDir_;
    SimulationDescription description_;
    std::string where_;
};

Result<int> Parser::integer(const QJsonValue& value, const std::string& what, long long low,
                            long long high) {
    const double number = value.toDouble(-1e300);
    if (!value.isDouble() || number != static_cast<double>(static_cast<long long>(number)) ||
        number < low || number > high) {
        return Status::error(what + " must be a whole number from " + std::to_string(low) + " to " +
                             std::to_string(high));
    }
    return static_cast<int>(number);
}

Result<std::int32_t> Parser::colour(const QJsonValue& value, const std::string& what) {
    if (value.isString()) {
        const QString text = value.toString();
        bool ok = false;
        const uint rgb = text.mid(1).toUInt(&ok, 16);
        if (!text.startsWith(QLatin1Char('#')) || text.size() != 7 || !ok) {
            return Status::error(what + " must be \"#RRGGBB\" or a number");
        }
        // Stored with red in the low byte.
        return static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) |
                                         ((rgb & 0xFF) << 16));
    }
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > 4294967295.0 ||
        number != static_cast<double>(static_cast<long long>(number))) {
        return Status::error(what + " must be \"#RRGGBB\" or a number");
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

Status Parser::onlyKnownMembers(const QJsonObject& object, const QSet<QString>& known,
                                const std::string& where) {
    for (const QString& key : object.keys()) {
        if (!known.contains(key)) {
            return Status::error(where + ": unknown member \"" + key.toStdString() + "\"");
        }
    }
    return Status::ok();
}

Result<QByteArray> Parser::readFile(const QString& name, const char* what) {
    QFile file(baseDir_.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return Status::error(where_ + ": " + what + " " + name.toStdString() +
                             " cannot be opened: " + file.errorString().toStdString());
    }
    return file.readAll();
}

Result<SimulationDescription> Parser::parse(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        return Status::error("description is not valid JSON at offset " +
                             std::to_string(error.offset) + ": " +
                             error.errorString().toStdString());
    }
    if (!document.isObject()) return Status::error("description must be a JSON object");
    const QJsonObject root = document.object();
    ZX_TRY(onlyKnownMembers(root, {"version", "frames"}, "description"));
    if (root.contains("version")) {
        description_.version = simulation::SimulationVersion::fromText(root["version"].toString());
        if (!description_.version) {
            return Status::error("description: version must be one of 0x0101 to 0x0109 or 0x0110");
        }
    }
    const QJsonArray frames = root["frames"].toArray();
    if (frames.isEmpty())
        return Status::error("description: \"frames\" must list at least one frame");
    description_.frames.resize(static_cast<size_t>(frames.size()));
    for (qsizetype i = 0; i < frames.size(); ++i) {
        where_ = "frame " + std::to_string(i + 1);
        if (!frames[i].isObject()) return Status::error(where_ + ": must be an object");
        ZX_TRY(parseFrame(frames[i].toObject(), static_cast<int>(i + 1),
                          description_.frames[static_cast<size_t>(i)]));
    }
    // Numbering as the reader gives it, so that a description and what is read back compare equal.
    std::int32_t zoneId = 1;
    for (TFrame& frame : description_.frames) {
        for (TZone& zone : frame.Zones) zone.ZoneId = zoneId++;
    }
    return std::move(description_);
}

Status Parser::parseFrame(const QJsonObject& object, int frameNumber, TFrame& frame) {
    ZX_TRY(onlyKnownMembers(object, {"screenshot", "zones"}, where_));
    const QString shot = object["screenshot"].toString();
    if (shot.isEmpty()) return Status::error(where_ + ": \"screenshot\" names no PNG file");
    ZX_TRY_ASSIGN(auto bytes, readFile(shot, "screenshot"));
    QImage image;
    if (!image.loadFromData(bytes, "PNG")) {
        return Status::error(where_ + ": screenshot " + shot.toStdString() +
                             " is not a PNG picture");
    }
    description_.screenshots.append(image);

    const QJsonArray zones = object["zones"].toArray();
    const std::string frameWhere = where_;
    for (qsizetype z = 0; z < zones.size(); ++z) {
        where_ = frameWhere + " zone " + std::to_string(z + 1);
        if (!zones[z].isObject()) return Status::error(where_ + ": must be an object");
        TZone zone;
        ZX_TRY(parseZone(zones[z].toObject(), frameNumber, zone));
        frame.Zones.push_back(std::move(zone));
    }
    return Status::ok();
}

Status Parser::parseZone(const QJsonObject& object, int frameNumber, TZone& zone) {
    ZX_TRY(onlyKnownMembers(
        object,
        {"type",      "rectangle", "ellipse",  "polygon", "target",       "ctrl",   "alt",
         "shift",     "pointer",   "delay",    "key",     "sound",        "flags",  "fontSize",
         "fontColor", "backColor", "fontName", "answer",  "alternatives", "sameAs", "link"},
        where_));
    const QJsonValue type = object["type"];
    if (type.isString()) {
        const auto value = lookUp(kZoneTypes, type.toString());
        if (!value) {
            return Status::error(where_ + ": unknown zone type \"" + type.toString().toStdString() +
                                 "\"");
        }
        zone.ZoneType = static_cast<int>(*value);
    } else {
        ZX_TRY_ASSIGN(auto value, integer(type, where_ + ": \"type\"", 0, 255));
        zone.ZoneType = value;
    }
    ZX_TRY(parseOutline(object, zone));

    const bool timed = zone.ZoneType == static_cast<int>(simulation::ZoneType::Timed);
    zone.TargetFrame = timed ? frameNumber + 1 : 0;
    if (object.contains("target")) {
        ZX_TRY_ASSIGN(auto target, integer(object["target"], where_ + ": \"target\"", 0, 255));
        zone.TargetFrame = target;
    }
    if (timed) {
        zone.DelayTicks = layout::kDefaultDelayTicks;
        if (object.contains("delay")) {
            ZX_TRY_ASSIGN(auto delay,
                          integer(object["delay"], where_ + ": \"delay\"", 1, 0x7FFFFFFF));
            zone.DelayTicks = delay;
        }
    } else if (object.contains("delay")) {
        return Status::error(where_ + ": only timed zones have a \"delay\"");
    }

    zone.NeedCtrl = object["ctrl"].toBool();
    zone.NeedAlt = object["alt"].toBool();
    zone.NeedShift = object["shift"].toBool();
    if (zone.NeedCtrl) zone.ZoneFlags |= layout::kZoneCtrlFlag;
    if (zone.NeedAlt) zone.ZoneFlags |= layout::kZoneAltFlag;
    if (zone.NeedShift) zone.ZoneFlags |= layout::kZoneShiftFlag;

    const bool pointerZone = zone.ZoneType == static_cast<int>(simulation::ZoneType::Pointer);
    if (object.contains("pointer")) {
        ZX_TRY(parsePointer(object["pointer"], zone));
        if (!pointerZone) zone.ZoneFlags |= layout::kZonePointerFlag;
    } else if (pointerZone) {
        return Status::error(where_ + ": a pointer zone needs a \"pointer\"");
    }

    const bool key = zone.ZoneType == static_cast<int>(simulation::ZoneType::Key);
    if (object.contains("key") != key) {
        return Status::error(
            where_ + (key ? ": a key zone needs a \"key\"" : ": only key zones have a \"key\""));
    }
    if (key) {
        zone.AnswerText = object["key"].toString();
        if (zone.AnswerText.size() != 1) {
            return Status::error(where_ + ": \"key\" must be one character");
        }
    }

    const bool sound = zone.ZoneType == static_cast<int>(simulation::ZoneType::Sound);
    if (object.contains("sound") != sound) {
        return Status::error(where_ + (sound ? ": a sound zone needs a \"sound\""
                                             : ": only sound zones have a \"sound\""));
    }
    if (sound) {
        ZX_TRY_ASSIGN(auto wave, readFile(object["sound"].toString(), "sound"));
        if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE") {
            return Status::error(where_ + ": sound " + object["sound"].toString().toStdString() +
                                 " is not a WAVE file");
        }
        description_.sounds.append(wave);
        zone.SoundIndex = static_cast<std::int32_t>(description_.sounds.size() - 1);
    }
    return parseText(object, zone);
}

Status Parser::parseOutline(const QJsonObject& object, TZone& zone) {
    const int shapes = int(object.contains("rectangle")) + int(object.contains("ellipse")) +
                       int(object.contains("polygon"));
    if (shapes > 1) return Status::error(where_ + ": give one of rectangle, ellipse, polygon");
    if (object.contains("polygon")) {
        const QJsonArray points = object["polygon"].toArray();
        if (points.size() < 3 || points.size() > layout::kOutlinePoints) {
            return Status::error(where_ + ": a polygon has 3 to 30 points");
        }
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QJsonArray pair = points[i].toArray();
            if (pair.size() != 2) return Status::error(where_ + ": polygon points are [x, y]");
            ZX_TRY_ASSIGN(const int x,
                          integer(pair[0], where_ + ": polygon x", INT32_MIN, INT32_MAX));
            ZX_TRY_ASSIGN(const int y,
                          integer(pair[1], where_ + ": polygon y", INT32_MIN, INT32_MAX));
            zone.Points[static_cast<size_t>(i)] = QPoint(x, y);
        }
        zone.Shape = layout::kShapePolygon;
        zone.PointCount = static_cast<std::uint8_t>(points.size());
        return Status::ok();
    }
    const bool ellipse = object.contains("ellipse");
    const QJsonValue box = ellipse ? object["ellipse"] : object["rectangle"];
    if (box.isUndefined()) return Status::ok();  // no area, e.g. timed and sound zones
    const QJsonArray corners = box.toArray();
    if (corners.size() != 4) {
        return Status::error(where_ + ": rectangle and ellipse are [left, top, right, bottom]");
    }
    int v[4];
    for (int i = 0; i < 4; ++i) {
        ZX_TRY_ASSIGN(auto value, integer(corners[i], where_ + ": corner", INT32_MIN, INT32_MAX));
        v[i] = value;
    }
    zone.Points[0] = QPoint(v[0], v[1]);
    zone.Points[1] = QPoint(v[2], v[3]);
    zone.Shape = ellipse ? layout::kShapeEllipse : layout::kShapeRectangle;
    return Status::ok();
}

Status Parser::parseText(const QJsonObject& object, TZone& zone) {
    static const char* kTextMembers[] = {"flags",        "fontSize", "fontColor",
                                         "backColor",    "fontName", "answer",
                                         "alternatives", "sameAs",   "link"};
    if (!simulation::isTextFieldType(zone.ZoneType)) {
        for (const char* member : kTextMembers) {
            if (object.contains(QLatin1String(member))) {
                return Status::error(where_ + ": only text fields have \"" + member + "\"");
            }
        }
        return Status::ok();
    }
    for (const QJsonValue& flag : object["flags"].toArray()) {
        if (flag.isString()) {
            const auto bit = lookUp(kFieldFlags, flag.toString());
            if (!bit) {
                return Status::error(where_ + ": unknown field flag \"" +
                                     flag.toString().toStdString() + "\"");
            }
            zone.FieldFlags |= *bit;
        } else {
            ZX_TRY_ASSIGN(const auto bits,
                          colour(flag, where_ + ": field flag"));  // any 32-bit number
            zone.FieldFlags |= static_cast<std::uint32_t>(bits);
        }
    }
    if (object.contains("fontSize")) {
        ZX_TRY_ASSIGN(auto size, integer(object["fontSize"], where_ + ": \"fontSize\"", 1, 0xFFFF));
        zone.FontSize = size;
        zone.FieldFlags |= layout::kFieldFontSize;
    }
    if (object.contains("fontColor")) {
        ZX_TRY_ASSIGN(auto value, colour(object["fontColor"], where_ + ": \"fontColor\""));
        zone.FontColor = value;
        zone.FieldFlags |= layout::kFieldFontColor;
    }
    if (object.contains("backColor")) {
        const QJsonValue back = object["backColor"];
        if (back.isString()) {
            ZX_TRY_ASSIGN(auto value, colour(back, where_ + ": \"backColor\""));
            zone.BackColor = value;
            zone.FieldFlags |= layout::kFieldBackColorIsValue;
        } else {
            ZX_TRY_ASSIGN(auto index,
                          integer(back, where_ + ": \"backColor\" palette index", 0, 44));
            zone.BackColor = index;
        }
        zone.FieldFlags |= layout::kFieldBackColor;
    }
    auto zoneRef = [this](const QJsonValue& value, const char* what, std::int32_t& frame,
                          std::int32_t& number) -> Status {
        const QJsonObject ref = value.toObject();
        ZX_TRY(onlyKnownMembers(ref, {"frame", "zone"}, where_ + ": \"" + what + "\""));
        ZX_TRY_ASSIGN(frame, integer(ref["frame"], where_ + ": \"" + what + "\" frame", 1, 255));
        ZX_TRY_ASSIGN(number, integer(ref["zone"], where_ + ": \"" + what + "\" zone", 1, 255));
        return Status::ok();
    };
    if (object.contains("sameAs")) {
        ZX_TRY(zoneRef(object["sameAs"], "sameAs", zone.SameAsFrame, zone.SameAsZone));
        zone.FieldFlags |= layout::kFieldSameAs;
    }
    if (object.contains("link")) {
        ZX_TRY(zoneRef(object["link"], "link", zone.LinkFrame, zone.LinkZone));
        zone.FieldFlags |= layout::kFieldLink;
    }
    if (object.contains("fontName")) {
        zone.FontName = object["fontName"].toString();
        zone.FieldFlags |= layout::kFieldFontName;
        if (zone.ZoneType == static_cast<int>(simulation::ZoneType::Address)) {
            zone.FontName = QString::fromLatin1(layout::kAddressFontName);  // as it reads back
        }
    }
    if (object.contains("answer")) {
        zone.AnswerText = object["answer"].toString();
        zone.FieldFlags |= layout::kFieldAnswer;
    }
    if (object.contains("alternatives")) {
        for (const QJsonValue& answer : object["alternatives"].toArray()) {
            zone.Alternatives.append(answer.toString());
        }
        zone.FieldFlags |= layout::kFieldAlternatives;
    }
    return Status::ok();
}

Status Parser::parsePointer(const QJsonValue& value, TZone& zone) {
    if (value.isString()) {
        const auto code = lookUp(kPointers, value.toString());
        if (!code) {
            return Status::error(where_ + ": unknown pointer \"" + value.toString().toStdString() +
                                 "\"");
        }
        zone.CursorCode = static_cast<std::int32_t>(*code);
        return Status::ok();
    }
    if (value.isDouble()) {
        ZX_TRY_ASSIGN(auto code,
                      integer(value, where_ + ": \"pointer\"", 0, layout::kLastStandardCursor));
        zone.CursorCode = code;
        return Status::ok();
    }
    const QJsonObject object = value.toObject();
    ZX_TRY(onlyKnownMembers(object, {"file", "name", "sameAs"}, where_ + ": \"pointer\""));
    if (object.contains("sameAs")) {
        const QJsonObject ref = object["sameAs"].toObject();
        ZX_TRY_ASSIGN(const int f,
                      integer(ref["frame"], where_ + ": pointer \"sameAs\" frame", 1, 255));
        ZX_TRY_ASSIGN(const int z,
                      integer(ref["zone"], where_ + ": pointer \"sameAs\" zone", 1, 255));
        zone.CursorCode = layout::kCursorReuse;
        zone.CursorRefFrame = f;
        zone.CursorRefZone = z;
        if (static_cast<size_t>(f) > description_.frames.size()) {
            return Status::error(where_ + ": pointer \"sameAs\" names no zone before this one");
        }
        const TFrame& frame = description_.frames[static_cast<size_t>(f - 1)];
        if (z > frame.ZoneCount() || !frame.Zones[static_cast<size_t>(z - 1)].hasPointer() ||
            frame.Zones[static_cast<size_t>(z - 1)].CursorCode < layout::kCursorEmbedded) {
            return Status::error(where_ +
                                 ": pointer \"sameAs\" must name an earlier zone that "
                                 "embeds a pointer file");
        }
        zone.CursorIndex = frame.Zones[static_cast<size_t>(z - 1)].CursorIndex;
        return Status::ok();
    }
    const QString file = object["file"].toString();
    if (file.isEmpty()) {
        return Status::error(where_ +
                             ": \"pointer\" is a name, a code 0 to 21, {\"file\": ...} "
                             "or {\"sameAs\": ...}");
    }
    ZX_TRY_ASSIGN(auto bytes, readFile(file, "pointer file"));
    const bool cursor = bytes.size() >= 4 && bytes.startsWith(QByteArray("\0\0\2\0", 4));
    const bool animated =
        bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "ACON";
    if (!cursor && !animated) {
        return Status::error(where_ + ": pointer file " + file.toStdString() +
                             " is neither a .cur nor an .ani file");
    }
    zone.CursorCode = layout::kCursorEmbedded;
    zone.CursorFileName =
        object.contains("name") ? object["name"].toString() : QFileInfo(file).fileName();
    description_.cursorFiles.append(bytes);
    zone.CursorIndex = static_cast<std::int32_t>(description_.cursorFiles.size() - 1);
    return Status::ok();
}

}  // namespace

Result<SimulationDescription> SimulationDescriptionParser::parse(const QByteArray& json,
                                                                 const QDir& baseDir) {
    return Parser(baseDir).parse(json);
}

}  // namespace zentrix::tools
