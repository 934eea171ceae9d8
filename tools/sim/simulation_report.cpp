#include "tools/sim/simulation_report.h"

#include <QJsonArray>
#include <QStringList>
#include <QTextStream>

namespace zentrix::tools {

using simulation::TZone;

namespace {

QJsonObject zoneJson(const TZone& zone) {
    QJsonArray points;
    for (const QPoint& p : zone.Points) points.append(QJsonArray{p.x(), p.y()});
    return QJsonObject{
        {"ZoneId", zone.ZoneId},
        {"ZoneType", zone.ZoneType},
        {"ZoneFlags", zone.ZoneFlags},
        {"TargetFrame", zone.TargetFrame},
        {"NeedCtrl", zone.NeedCtrl},
        {"NeedAlt", zone.NeedAlt},
        {"NeedShift", zone.NeedShift},
        {"Points", points},
        {"Shape", zone.Shape},
        {"PointCount", zone.PointCount},
        {"FieldFlags", static_cast<qint64>(zone.FieldFlags)},
        {"FontSize", zone.FontSize},
        {"FontColor", zone.FontColor},
        {"BackColor", zone.BackColor},
        {"FontName", zone.FontName},
        {"AnswerText", zone.AnswerText},
        {"SameAsFrame", zone.SameAsFrame},
        {"SameAsZone", zone.SameAsZone},
        {"LinkFrame", zone.LinkFrame},
        {"LinkZone", zone.LinkZone},
        {"Alternatives", QJsonArray::fromStringList(zone.Alternatives)},
        {"CursorCode", zone.CursorCode},
        {"CursorFileName", zone.CursorFileName},
        {"CursorRefFrame", zone.CursorRefFrame},
        {"CursorRefZone", zone.CursorRefZone},
        {"CursorIndex", zone.CursorIndex},
        {"SoundIndex", zone.SoundIndex},
        {"DelayTicks", zone.DelayTicks},
    };
}

QString outline(const TZone& zone) {
    const auto corners = [&zone] {
        return QStringLiteral("(%1,%2)-(%3,%4)")
            .arg(zone.Points[0].x())
            .arg(zone.Points[0].y())
            .arg(zone.Points[1].x())
            .arg(zone.Points[1].y());
    };
    switch (zone.Shape) {
        case 0:
        case 2:
            return QStringLiteral("rectangle ") + corners();
        case 1:
        case 3:
            return QStringLiteral("ellipse ") + corners();
        case 4: {
            QStringList points;
            for (int i = 0; i < zone.PointCount; ++i) {
                points << QStringLiteral("(%1,%2)").arg(zone.Points[i].x()).arg(zone.Points[i].y());
            }
            return QStringLiteral("polygon ") + points.join(QLatin1Char(' '));
        }
        default:
            return QStringLiteral("no area (shape %1)").arg(zone.Shape);
    }
}

}  // namespace

QJsonObject SimulationReport::toJson(const Header& header,
                                     const simulation::SimulationContent& content) {
    QJsonArray frames;
    for (const auto& frame : content.Frames) {
        QJsonArray zones;
        for (const TZone& zone : frame.Zones) zones.append(zoneJson(zone));
        frames.append(QJsonObject{{"Zones", zones}});
    }
    return QJsonObject{{"Version", header.version.text()},
                       {"FrameCount", content.Picture.frameCount()},
                       {"Frames", frames}};
}

QString SimulationReport::toText(const Header& header,
                                 const simulation::SimulationContent& content) {
    QString text;
    QTextStream out(&text);
    out << "Version " << header.version.text() << ", file type " << header.fileType << ", "
        << header.recordCount << " frame records, GIF block " << header.gifLength << " bytes\n";
    out << "Picture " << content.Picture.size().width() << "x" << content.Picture.size().height()
        << ", " << content.Picture.frameCount() << " frames, " << content.CursorFiles.size()
        << " pointer files, " << content.Sounds.size() << " sounds\n";
    for (size_t f = 0; f < content.Frames.size(); ++f) {
        const auto& frame = content.Frames[f];
        out << "Frame " << f + 1 << ": " << frame.ZoneCount() << " zones\n";
        for (const TZone& zone : frame.Zones) {
            out << "  zone " << zone.ZoneId << ": type " << zone.ZoneType << ", flags 0x" << Qt::hex
                << zone.ZoneFlags << Qt::dec << ", " << outline(zone) << ", target "
                << zone.TargetFrame;
            if (zone.NeedCtrl) out << ", Ctrl";
            if (zone.NeedAlt) out << ", Alt";
            if (zone.NeedShift) out << ", Shift";
            if (zone.ZoneType == 6) out << ", delay " << zone.DelayTicks << " ticks";
            if (zone.FieldFlags != 0) {
                out << ", field flags 0x" << Qt::hex << zone.FieldFlags << Qt::dec;
                if (!zone.FontName.isEmpty()) out << ", font \"" << zone.FontName << "\"";
                if (zone.FontSize != 0) out << " " << zone.FontSize << "pt";
            }
            if (!zone.AnswerText.isEmpty()) out << ", answer \"" << zone.AnswerText << "\"";
            if (!zone.Alternatives.isEmpty()) {
                out << ", also \"" << zone.Alternatives.join(QLatin1String("\", \"")) << "\"";
            }
            if (zone.hasPointer()) {
                out << ", pointer " << zone.CursorCode;
                if (zone.CursorCode == 22) out << " \"" << zone.CursorFileName << "\"";
                if (zone.CursorCode == 23) {
                    out << " from frame " << zone.CursorRefFrame << " zone " << zone.CursorRefZone;
                }
                if (zone.CursorCode >= 22) out << " (file " << zone.CursorIndex << ")";
            }
            if (zone.SoundIndex >= 0) out << ", sound " << zone.SoundIndex;
            out << "\n";
        }
    }
    return text;
}

}  // namespace zentrix::tools
