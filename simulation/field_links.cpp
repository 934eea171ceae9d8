#include "simulation/field_links.h"

#include <algorithm>

#include "simulation/field_flags.h"

namespace zentrix::simulation {

namespace {

bool links(const TZone& zone) {
    return (zone.FieldFlags & fieldflag::kLinked) && zone.LinkFrame != 0;
}

}  // namespace

std::vector<FieldLinkStep> FieldLinks::follow(std::vector<TFrame>& frames, const TZone& from) {
    std::vector<FieldLinkStep> steps;
    std::vector<const TZone*> reached{&from};
    const TZone* zone = &from;
    while (links(*zone)) {
        const int frame = zone->LinkFrame, number = zone->LinkZone;
        if (frame < 1 || frame > static_cast<int>(frames.size()) || number < 1 ||
            number > frames[frame - 1].ZoneCount()) {
            break;
        }
        TZone* target = &frames[frame - 1].Zones[number - 1];
        if (std::find(reached.begin(), reached.end(), target) != reached.end()) break;
        steps.push_back(FieldLinkStep{frame, number, target});
        reached.push_back(target);
        zone = target;
    }
    return steps;
}

}  // namespace zentrix::simulation
