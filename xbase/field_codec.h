#pragma once

// Converts between field bytes in a record and the values callers read and
// assign: numbers as right-aligned decimal text, memo pointers in both the
// FoxPro 2.x (10 ASCII digits) and Visual FoxPro (4 bytes) forms, and the
// binary Visual FoxPro types rendered as text for reading.

#include <cstdint>
#include <string>
#include <string_view>

#include "xbase/field.h"
#include "xbase/status.h"

namespace zentrix::xbase {

class FieldCodec {
public:
    static std::string_view bytes(std::string_view record, const FieldDescriptor& f) {
        return record.substr(size_t(f.offset), size_t(f.length));
    }

    // Decimal text as stored in N and F fields; blanks read as 0, and so does
    // text that is not a number (as other xBase engines do).
    static double parseNumber(std::string_view text);
    // The field's value as a number, whatever its type.
    static double number(std::string_view record, const FieldDescriptor& f);
    // The field's bytes as text: C, N, D, L as stored; binary types rendered.
    static std::string text(std::string_view record, const FieldDescriptor& f);

    // Right-aligned decimal text of exactly `width` characters, or an error
    // when the value does not fit (it is never cut silently).
    static Result<std::string> formatNumber(double value, int width, int decimals);
    static Result<std::string> formatInteger(long long value, int width);

    // The memo block a record points at; 0 for none. An unreadable pointer is an error.
    static Result<uint32_t> memoBlock(std::string_view record, const FieldDescriptor& f);
    static std::string encodeMemoBlock(uint32_t block, const FieldDescriptor& f);
};

}  // namespace zentrix::xbase
