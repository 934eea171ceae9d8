#include "ui/report/report_font.h"

#include <algorithm>

namespace zentrix::report {

QFont ReportFont::deviceFont() const {
    QFont font(family);
    font.setPointSizeF(std::clamp(pointSize, kMinPointSize, kMaxPointSize));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // Unhinted outlines keep glyph advances proportional to the size, so text
    // measured at one resolution fits its place at every other.
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: a PDF reader searching for "certificate" must find the
    // letters f and i, not the ligature glyph that stands for both.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont ReportFont::painterFont(double deviceDpi) const {
    QFont font = deviceFont();
    // On the painter one unit is 1/100 point, scaled to dots by the painter;
    // the font must be s * 100 units high, which on a device of deviceDpi is
    // the point size s * 100 * 72 / deviceDpi.
    font.setPointSizeF(std::clamp(pointSize, kMinPointSize, kMaxPointSize) * kTextUnitsPerPoint *
                       72.0 / deviceDpi);
    return font;
}

}  // namespace zentrix::report
