#pragma once

#include <QCursor>
#include <QMap>
#include <optional>

#include "simulation/pointer_file.h"
#include "simulation/tzone.h"

namespace zentrix::simulation::panel {

// The pointers of a loaded simulation: the standard pointers by code and the
// embedded pointer files registered under their CursorIndex + 1. An animated
// pointer keeps all its pictures; pointerAt() gives the one of a step.
class PointerTable {
public:
    void clear() { custom_.clear(); }
    void add(int number, const PointerFile& file);
    bool has(int number) const { return custom_.contains(number); }

    // The pointer a zone asks for; none for the control's default (code 0,
    // or a pointer file that could not be loaded).
    std::optional<QCursor> pointerFor(const TZone& zone, int step = 0) const;
    // Whether the zone's pointer is an animated one, and how long its steps last.
    const PointerFile* animationFor(const TZone& zone) const;

    static std::optional<Qt::CursorShape> standardShape(int code);

private:
    static int numberOf(const TZone& zone) { return zone.CursorIndex + 1; }

    struct Entry {
        PointerFile file;
        QList<QCursor> cursors;  // one per frame of the file
    };
    QMap<int, Entry> custom_;
};

}  // namespace zentrix::simulation::panel
