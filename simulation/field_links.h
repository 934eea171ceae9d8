#pragma once

#include <vector>

#include "simulation/tframe.h"

namespace zentrix::simulation {

// One step along the links of linked fields: the frame and zone linked to.
struct FieldLinkStep {
    int Frame = 0;  // from 1
    int Zone = 0;   // from 1
    TZone* Target = nullptr;
};

// Linked fields (bit 0x80000) echo what is typed into the field they link to,
// and carry their text into it when judged; that field may link on in turn.
class FieldLinks {
public:
    // The links followed from a zone, in order. The walk stops at a zone it
    // has already reached (links may lead in a circle) and at a link that
    // names no zone.
    static std::vector<FieldLinkStep> follow(std::vector<TFrame>& frames, const TZone& from);
};

}  // namespace zentrix::simulation
