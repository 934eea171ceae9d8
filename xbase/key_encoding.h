#pragma once

// How values become index keys that sort as plain bytes:
//   character: the raw bytes, blank-padded or cut to the key length;
//   numeric, date: 8-byte big-endian IEEE double, sign bit flipped when the
//     value is positive or zero, all bits inverted when negative;
//   integer: 4-byte big-endian with the sign bit flipped;
//   logical: "T" or "F".

#include <string>

#include "xbase/compound_index.h"
#include "xbase/expression.h"

namespace zentrix::xbase {

std::string encodeKey(const Value& value, KeyType type, int keyLength);
std::string encodeNumberKey(double value);
double decodeNumberKey(std::string_view key);
std::string encodeIntegerKey(int32_t value);
// Key type and length a tag with this key expression gets.
KeyType keyTypeFor(const Expression& keyExpression);
int keyLengthFor(const Expression& keyExpression);

}  // namespace zentrix::xbase
