#include "simulation/zone_hit_test.h"

namespace zentrix::simulation {

namespace {

bool regionContains(const std::vector<ZoneRegion>& regions, const TZone& zone, int type,
                    QPoint point) {
    for (const ZoneRegion& region : regions) {
        if (region.ZoneType == type && region.ZoneId == zone.ZoneId && region.contains(point)) {
            return true;
        }
    }
    return false;
}

}  // namespace

const TZone* ZoneHitTest::HitZone(QPoint point, const ZoneList& list, int type,
                                  const std::vector<ZoneRegion>& regions, KeyState keys) {
    for (const TZone* zone : list) {
        if (!regionContains(regions, *zone, type, point)) continue;
        if ((zone->NeedCtrl && !keys.Ctrl) || (zone->NeedShift && !keys.Shift) ||
            (zone->NeedAlt && !keys.Alt)) {
            return nullptr;
        }
        return zone;
    }
    return nullptr;
}

const TZone* ZoneHitTest::CursorZoneAt(QPoint point, const ZoneList& list,
                                       const std::vector<ZoneRegion>& regions) {
    const TZone* found = nullptr;
    for (const TZone* zone : list) {
        if (zone->hasPointer() && regionContains(regions, *zone, zone->ZoneType, point)) {
            found = zone;
        }
    }
    return found;
}

}  // namespace zentrix::simulation
