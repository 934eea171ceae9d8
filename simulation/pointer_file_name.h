#pragma once

#include <QString>
#include <QStringView>

namespace zentrix::simulation {

// An embedded pointer file is written to the temporary folder under its stored
// name when played, so the name must stay a plain file name that Windows and
// POSIX folders both accept: no folders, no drive, no reserved characters.
inline bool isPlainPointerFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (QChar ch : name) {
        if (ch.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(ch)) return false;
    }
    return true;
}

}  // namespace zentrix::simulation
