#pragma once

#include <vector>

#include "simulation/tzone.h"

namespace zentrix::simulation {

// One frame of a simulation: a picture frame and its zones in file order.
// Zone z (1-based, as the file counts) is Zones[z - 1].
struct TFrame {
    std::vector<TZone> Zones;

    int ZoneCount() const { return static_cast<int>(Zones.size()); }

    bool operator==(const TFrame&) const = default;
};

}  // namespace zentrix::simulation
