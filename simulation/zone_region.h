#pragma once

#include <QPoint>
#include <QRegion>
#include <cstdint>

#include "simulation/tzone.h"

namespace zentrix::simulation {

// The area of one zone of the frame shown, for hit tests. Rectangles span
// point 0 to point 1 with the right and bottom edges outside, as window
// regions do; ellipses are inscribed in that rectangle; polygons take the
// first PointCount points with the winding fill rule. Other shapes have no
// area: the record exists, but no point is ever inside it.
struct ZoneRegion {
    std::uint8_t Shape = 0;
    std::int32_t ZoneId = 0;
    std::uint8_t ZoneType = 0;
    QRegion Region;

    static ZoneRegion of(const TZone& zone);
    bool contains(QPoint point) const { return Region.contains(point); }
};

}  // namespace zentrix::simulation
