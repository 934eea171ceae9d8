#pragma once

// Draws the pictures that questions and study texts show: the exhibits (an
// office network diagram, a terminal running top) and the small figures
// embedded in formatted hints, references and case-study tabs.

#include <QImage>
#include <QString>
#include <vector>

namespace zentrix::demo {

struct NamedPicture {
    QString fileName;  // the extension says the format
    QImage image;
};

class ExhibitPainter {
public:
    static std::vector<NamedPicture> all();

    static QImage officeNetwork();
    static QImage topTerminal();
    static QImage subnetMask();
    static QImage gatewayPath();
    static QImage permissionBits();
    static QImage journalFilters();
    static QImage clinicNetwork();
};

}  // namespace zentrix::demo
