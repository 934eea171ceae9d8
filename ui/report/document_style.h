#pragma once

// The look shared by Zentrix's printed documents (study guide, certificate,
// history printout): a serif face for headings, a sans face for text, ink
// colours that print well on office printers.

#include <QColor>

#include "ui/report/report_definition.h"
#include "ui/report/report_font.h"

namespace zentrix::report::style {

inline const QColor kInk(28, 32, 44);
inline const QColor kMuted(96, 102, 116);
inline const QColor kAccent(31, 58, 104);
inline const QColor kHairline(176, 182, 194);
inline const QColor kShade(240, 242, 247);

inline ReportFont Serif(double size, bool bold = false) {
    return ReportFont{QStringLiteral("DejaVu Serif"), size, bold, false, false};
}
inline ReportFont Sans(double size, bool bold = false) {
    return ReportFont{QStringLiteral("DejaVu Sans"), size, bold, false, false};
}

inline ReportFont Brand() { return Serif(11, true); }  // "Brenlo" at the head of a document
inline ReportFont DocumentTitle() { return Serif(20, true); }
inline ReportFont Heading() { return Serif(13, true); }
inline ReportFont Label() { return Sans(9.5, true); }
inline ReportFont Body() { return Sans(9.5); }
inline ReportFont Small() { return Sans(8); }

// A text field in a document's font and ink.
inline TextField Text(const QString& text, ReportFont font, QColor color = kInk,
                      TextField::Align align = TextField::Align::Left) {
    TextField field = TextField::plain(text, std::move(font), align);
    field.color = color;
    return field;
}

}  // namespace zentrix::report::style
