#include "engine/screens/beside_placement.h"

#include <algorithm>

namespace zentrix::engine {

BesidePlacement BesidePlacement::Choose(const QRect& main, const QRect& available, int width) {
    const int roomRight = available.right() - main.right() - kGap;
    const int roomLeft = main.left() - available.left() - kGap;
    const int rightOf = main.right() + 1 + kGap;
    if (roomRight >= width) return {rightOf, width, false};
    if (roomLeft >= width) return {main.left() - kGap - width, width, false};
    const int room = std::max(roomRight, roomLeft);
    if (room >= kNarrowest) {
        return {roomRight >= roomLeft ? rightOf : main.left() - kGap - room, room, false};
    }
    return {std::max(available.left(), main.right() + 1 - width - kOverMargin), width, true};
}

int BesidePlacement::Top(const QRect& main, const QRect& available, int height,
                         int topOffset) const {
    const int wanted =
        over ? std::max(main.top() + topOffset, main.bottom() + 1 - kButtonRows - height)
             : main.top() + topOffset;
    return std::max(available.top(), std::min(wanted, available.bottom() + 1 - height));
}

}  // namespace zentrix::engine
