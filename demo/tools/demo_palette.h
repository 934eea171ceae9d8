#pragma once

// The one palette of the demo's look: a calm slate blue with a teal accent on
// soft blue-grey paper. Every picture the demo draws takes its colours here,
// so the skin, the exhibits and the simulated applications belong together.

#include <QColor>
#include <QFont>
#include <QString>

namespace zentrix::demo {

struct DemoPalette {
    static QColor ink() { return QColor(31, 52, 74); }       // headings, strong text
    static QColor text() { return QColor(52, 66, 82); }      // body text
    static QColor muted() { return QColor(104, 120, 138); }  // secondary text
    static QColor slate() { return QColor(44, 78, 112); }    // title strip, primary buttons
    static QColor slateLight() { return QColor(70, 110, 148); }
    static QColor teal() { return QColor(47, 143, 157); }  // accent
    static QColor tealLight() { return QColor(214, 236, 238); }
    static QColor paperTop() { return QColor(240, 244, 248); }  // screen gradient
    static QColor paperBottom() { return QColor(217, 227, 237); }
    static QColor panel() { return QColor(252, 253, 254); }  // cards and work areas
    static QColor line() { return QColor(190, 204, 218); }   // borders
    static QColor amber() { return QColor(222, 158, 48); }   // marks
    static QColor good() { return QColor(54, 146, 92); }
    static QColor bad() { return QColor(196, 78, 72); }

    // The family every drawing uses; the platform substitutes when absent.
    static QFont font(int pixelSize, bool bold = false) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(pixelSize);
        f.setBold(bold);
        return f;
    }
    static QFont mono(int pixelSize, bool bold = false) {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::Monospace);
        f.setPixelSize(pixelSize);
        f.setBold(bold);
        return f;
    }
};

}  // namespace zentrix::demo
