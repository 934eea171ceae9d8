#pragma once

// A font as a report records it: family, size in points and style. The
// same font is measured at layout time and painted on any device, so a page
// looks the same on screen, in a PDF and on paper.

#include <QFont>
#include <QString>

namespace zentrix::report {

struct ReportFont {
    static constexpr double kMinPointSize = 1.0;
    static constexpr double kMaxPointSize =
        144.0;  // two-inch letters: more than any document needs
    // Text is measured and drawn in hundredths of a point: font engines work
    // in whole pixels, and at a hundred pixels per point that rounding no
    // longer shows, so a run drawn at any resolution keeps its measured width.
    static constexpr double kTextUnitsPerPoint = 100.0;

    QString family = QStringLiteral("DejaVu Sans");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const ReportFont&) const = default;

    // The font for a painter whose user unit is 1/kTextUnitsPerPoint point on
    // a device of `deviceDpi` dots per inch.
    QFont painterFont(double deviceDpi) const;
    // The font at its natural size, for measuring on a device of
    // 72 * kTextUnitsPerPoint dots per inch.
    QFont deviceFont() const;
};

}  // namespace zentrix::report
