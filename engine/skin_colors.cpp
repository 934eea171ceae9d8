#include "engine/skin_colors.h"

namespace zentrix::engine {

std::optional<ColorNumber> ColorNumberFromTriple(int red, int green, int blue) {
    for (int component : {red, green, blue}) {
        if (component < 0 || component > 255) return std::nullopt;
    }
    return 0x02000000u | (static_cast<ColorNumber>(blue) << 16) |
           (static_cast<ColorNumber>(green) << 8) | static_cast<ColorNumber>(red);
}

QColor ColorFromNumber(ColorNumber number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

}  // namespace zentrix::engine
