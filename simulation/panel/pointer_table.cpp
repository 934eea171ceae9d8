#include "simulation/panel/pointer_table.h"

#include <QPixmap>
#include <array>

#include "simulation/simulation_layout.h"

namespace zentrix::simulation::panel {

namespace {

// Codes 1 to 21 (0 is the control's default).
constexpr std::array<Qt::CursorShape, 21> kStandard = {
    Qt::BlankCursor,         // 1 none
    Qt::ArrowCursor,         // 2 arrow
    Qt::CrossCursor,         // 3 cross
    Qt::IBeamCursor,         // 4 text I-beam
    Qt::SizeAllCursor,       // 5 move
    Qt::SizeBDiagCursor,     // 6 size north-east/south-west
    Qt::SizeVerCursor,       // 7 size north/south
    Qt::SizeFDiagCursor,     // 8 size north-west/south-east
    Qt::SizeHorCursor,       // 9 size west/east
    Qt::UpArrowCursor,       // 10 up arrow
    Qt::WaitCursor,          // 11 hourglass
    Qt::DragMoveCursor,      // 12 drag
    Qt::ForbiddenCursor,     // 13 no drop
    Qt::SplitHCursor,        // 14 horizontal split
    Qt::SplitVCursor,        // 15 vertical split
    Qt::DragCopyCursor,      // 16 multiple drag
    Qt::BusyCursor,          // 17 database wait
    Qt::ForbiddenCursor,     // 18 no entry
    Qt::BusyCursor,          // 19 arrow with hourglass
    Qt::WhatsThisCursor,     // 20 arrow with question mark
    Qt::PointingHandCursor,  // 21 pointing hand
};

}  // namespace

std::optional<Qt::CursorShape> PointerTable::standardShape(int code) {
    if (code < 1 || code > static_cast<int>(kStandard.size())) return std::nullopt;
    return kStandard[static_cast<size_t>(code - 1)];
}

void PointerTable::add(int number, const PointerFile& file) {
    Entry entry{file, {}};
    for (const PointerImage& image : file.Frames) {
        entry.cursors.append(
            QCursor(QPixmap::fromImage(image.Image), image.Hotspot.x(), image.Hotspot.y()));
    }
    custom_.insert(number, std::move(entry));
}

std::optional<QCursor> PointerTable::pointerFor(const TZone& zone, int step) const {
    if (zone.CursorCode == layout::kCursorEmbedded || zone.CursorCode == layout::kCursorReuse) {
        const auto found = custom_.constFind(numberOf(zone));
        if (found == custom_.constEnd() || found->cursors.isEmpty()) return std::nullopt;
        const auto& sequence = found->file.Sequence;
        const int frame =
            sequence.empty() ? 0 : sequence[static_cast<size_t>(step) % sequence.size()];
        return found->cursors.value(frame, found->cursors.first());
    }
    if (const auto shape = standardShape(zone.CursorCode)) return QCursor(*shape);
    return std::nullopt;
}

const PointerFile* PointerTable::animationFor(const TZone& zone) const {
    if (zone.CursorCode != layout::kCursorEmbedded && zone.CursorCode != layout::kCursorReuse) {
        return nullptr;
    }
    const auto found = custom_.constFind(numberOf(zone));
    if (found == custom_.constEnd() || !found->file.animated()) return nullptr;
    return &found->file;
}

}  // namespace zentrix::simulation::panel
