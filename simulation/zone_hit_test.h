#pragma once

#include <QPoint>
#include <vector>

#include "simulation/tzone.h"
#include "simulation/zone_region.h"

namespace zentrix::simulation {

// The up/down state of the modifier keys at the moment of a hit test.
struct KeyState {
    bool Ctrl = false;
    bool Shift = false;
    bool Alt = false;
};

// A zone list of the frame shown: references into the frames, never owners.
using ZoneList = std::vector<const TZone*>;

// Hit tests over the zone lists and regions of the frame shown.
class ZoneHitTest {
public:
    // The first zone of the list, in list order, that has a region of the
    // given type containing the point. When that zone needs a modifier key
    // that is not down, the result is none and the search ends there (keys
    // held that the zone does not ask for do not matter).
    static const TZone* HitZone(QPoint point, const ZoneList& list, int type,
                                const std::vector<ZoneRegion>& regions, KeyState keys);

    // The last zone of the list that changes the pointer (type 7 or zone flag
    // bit 0) and whose region contains the point.
    static const TZone* CursorZoneAt(QPoint point, const ZoneList& list,
                                     const std::vector<ZoneRegion>& regions);
};

}  // namespace zentrix::simulation
