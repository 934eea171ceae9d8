#include "simulation/code_page.h"

namespace zentrix::simulation {

namespace {

// Unicode of bytes 0x80 to 0x9F; the other bytes equal their Latin-1 code.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString CodePage::decode(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(QChar(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte));
    }
    return text;
}

std::optional<QByteArray> CodePage::encode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            bytes.append(static_cast<char>(unit));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i) {
            if (kHighControls[i] == unit) found = i;
        }
        if (found < 0) return std::nullopt;
        bytes.append(static_cast<char>(0x80 + found));
    }
    return bytes;
}

}  // namespace zentrix::simulation
