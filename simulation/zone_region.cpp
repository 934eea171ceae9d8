#include "simulation/zone_region.h"

#include <QPolygon>
#include <QRect>

namespace zentrix::simulation {

namespace {

// From point 0 to point 1, the far edges outside; empty when the points are
// the wrong way round.
QRect boundingRect(const TZone& zone) {
    const QPoint from = zone.Points[0], to = zone.Points[1];
    if (to.x() <= from.x() || to.y() <= from.y()) return QRect();
    return QRect(from, QPoint(to.x() - 1, to.y() - 1));
}

}  // namespace

ZoneRegion ZoneRegion::of(const TZone& zone) {
    ZoneRegion region;
    region.Shape = zone.Shape;
    region.ZoneId = zone.ZoneId;
    region.ZoneType = static_cast<std::uint8_t>(zone.ZoneType);
    switch (zone.Shape) {
        case layout::kShapeRectangle:
        case layout::kShapeRectangleAlt:
            region.Region = QRegion(boundingRect(zone));
            break;
        case layout::kShapeEllipse:
        case layout::kShapeEllipseAlt:
            region.Region = QRegion(boundingRect(zone), QRegion::Ellipse);
            break;
        case layout::kShapePolygon: {
            if (zone.PointCount < 3) break;
            QPolygon polygon;
            for (int i = 0; i < zone.PointCount; ++i) polygon.append(zone.Points[i]);
            region.Region = QRegion(polygon, Qt::WindingFill);
            break;
        }
        default:
            break;  // no area
    }
    return region;
}

}  // namespace zentrix::simulation
