#pragma once

// Text for Qt's XML writer: XML 1.0 cannot carry the control characters
// other than tab and line breaks, so they are written as "?".

#include <QString>
#include <string>

namespace zentrix::banktool {

inline QString xmlText(const std::string& utf8) {
    QString out = QString::fromStdString(utf8);
    for (QChar& c : out) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') c = u'?';
    }
    return out;
}

}  // namespace zentrix::banktool
