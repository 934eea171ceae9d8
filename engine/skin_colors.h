#pragma once

// The colours of the skin. Colours are kept as colour numbers in the
// palette-relative form 0x02BBGGRR, the form scheme.ini stores them in.

#include <QColor>
#include <cstdint>
#include <optional>

namespace zentrix::engine {

using ColorNumber = uint32_t;

// 0x02BBGGRR for components 0..255; nullopt when any component is outside.
std::optional<ColorNumber> ColorNumberFromTriple(int red, int green, int blue);
QColor ColorFromNumber(ColorNumber number);

struct SkinColors {
    static constexpr ColorNumber kDefaultTopBarColor = 47105659;  // RGB 123,198,206
    static constexpr ColorNumber kDefaultFieldColor = 45452436;   // RGB 148,140,181

    ColorNumber dark = 0x02A6A6A6;
    ColorNumber light = 0x02FFFFFF;
    ColorNumber medium = 0x02BFBFBF;  // read for completeness; no control uses it
    ColorNumber topBar = kDefaultTopBarColor;
    ColorNumber field = kDefaultFieldColor;
};

}  // namespace zentrix::engine
