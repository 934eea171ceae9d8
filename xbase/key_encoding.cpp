#include "xbase/key_encoding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zentrix::xbase {

std::string encodeNumberKey(double value) {
    if (value == 0 || std::isnan(value)) value = 0;  // -0 and +0 share one key
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = (bits >> 63) ? ~bits : bits | (1ull << 63);
    std::string key(8, '\0');
    for (int i = 0; i < 8; ++i) key[i] = static_cast<char>(bits >> (56 - 8 * i));
    return key;
}

double decodeNumberKey(std::string_view key) {
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i) {
        bits = (bits << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0);
    }
    bits = (bits >> 63) ? bits & ~(1ull << 63) : ~bits;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string encodeIntegerKey(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value) ^ 0x80000000u;
    std::string key(4, '\0');
    for (int i = 0; i < 4; ++i) key[i] = static_cast<char>(bits >> (24 - 8 * i));
    return key;
}

std::string encodeKey(const Value& value, KeyType type, int keyLength) {
    switch (type) {
        case KeyType::Numeric:
        case KeyType::Date:
            return encodeNumberKey(value.number);
        case KeyType::Integer: {
            const double n = std::clamp(std::trunc(value.number), -2147483648.0, 2147483647.0);
            return encodeIntegerKey(static_cast<int32_t>(n));
        }
        case KeyType::Logical:
            return value.logical ? "T" : "F";
        case KeyType::Character:
            break;
    }
    std::string key = value.text.substr(0, static_cast<size_t>(std::max(keyLength, 0)));
    key.resize(static_cast<size_t>(std::max(keyLength, 0)), ' ');
    return key;
}

KeyType keyTypeFor(const Expression& keyExpression) {
    switch (keyExpression.resultKind()) {
        case Value::Kind::Numeric:
            return keyExpression.isIntegerField() ? KeyType::Integer : KeyType::Numeric;
        case Value::Kind::Date:
            return KeyType::Date;
        case Value::Kind::Logical:
            return KeyType::Logical;
        case Value::Kind::Character:
            break;
    }
    return KeyType::Character;
}

int keyLengthFor(const Expression& keyExpression) {
    switch (keyTypeFor(keyExpression)) {
        case KeyType::Numeric:
        case KeyType::Date:
            return 8;
        case KeyType::Integer:
            return 4;
        case KeyType::Logical:
            return 1;
        case KeyType::Character:
            break;
    }
    return std::clamp(keyExpression.resultWidth(), 1, 240);
}

}  // namespace zentrix::xbase
