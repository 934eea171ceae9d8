#pragma once

// A font as a report records it: family, size in points and style. The
// same spec is measured at layout time and painted on any device, so a page
// looks the same on screen, in a PDF and on paper.

#include <QFont>
#include <QString>

namespace zentrix::report {

struct FontSpec {
    static constexpr double kMinPointSize = 1.0;
    static constexpr double kMaxPointSize = 400.0;

    QString family = QStringLiteral("DejaVu Sans");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec&) const = default;

    // The font for a painter whose user unit is one point on a device of
    // `deviceDpi` dots per inch (the painter scales points to dots itself).
    QFont painterFont(double deviceDpi) const;
    // The font for measuring on a device of `deviceDpi`, at its natural size.
    QFont deviceFont() const;
};

}  // namespace zentrix::report
