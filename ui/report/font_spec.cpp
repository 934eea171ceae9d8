#include "ui/report/font_spec.h"

#include <algorithm>

namespace zentrix::report {

QFont FontSpec::deviceFont() const {
    QFont font(family);
    font.setPointSizeF(std::clamp(pointSize, kMinPointSize, kMaxPointSize));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // Unhinted outlines keep glyph advances proportional to the size, so text
    // measured at one resolution fits its place at every other.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

QFont FontSpec::painterFont(double deviceDpi) const {
    QFont font = deviceFont();
    // The painter maps one point to deviceDpi / 72 dots; a font of size s on
    // that device would be scaled twice, so it is given s * 72 / deviceDpi.
    font.setPointSizeF(std::clamp(pointSize, kMinPointSize, kMaxPointSize) * 72.0 / deviceDpi);
    return font;
}

}  // namespace zentrix::report
