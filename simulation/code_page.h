#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace zentrix::simulation {

// Texts in simulation files are 8-bit Windows code page 1252. The five bytes
// that page leaves undefined map to the C1 control of the same value, so every
// byte round-trips.
class CodePage {
public:
    static QString decode(QByteArrayView bytes);
    // Empty when the text holds a character the code page cannot carry.
    static std::optional<QByteArray> encode(const QString& text);
};

}  // namespace zentrix::simulation
