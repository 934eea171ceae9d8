#include "simulation/address_text.h"

namespace zentrix::simulation {

bool AddressText::isEmpty(const QString& text) {
    return text == QLatin1String(kEmpty) || text == QLatin1String(".   .   .") ||
           text == QLatin1String("...");
}

QString AddressText::withoutBlanks(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result;
}

std::optional<QString> AddressText::correctedOctets(const QString& text) {
    QString corrected = text;
    bool changed = false;
    for (int start = 0; start + kGroupLength <= corrected.size(); start += kGroupLength + 1) {
        bool number = false;
        const int value = corrected.mid(start, kGroupLength).trimmed().toInt(&number);
        if (number && value >= 256) {
            corrected.replace(start, kGroupLength, QStringLiteral("255"));
            changed = true;
        }
    }
    if (!changed) return std::nullopt;
    return corrected;
}

std::optional<int> AddressText::tabTarget(int column) {
    if (column >= 1 && column <= 3) return 4;
    if (column >= 5 && column <= 7) return 8;
    if (column >= 9 && column <= 11) return 12;
    return std::nullopt;
}

}  // namespace zentrix::simulation
