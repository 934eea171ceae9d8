#pragma once

// What a table says about one of its fields, as read from or written to the
// table header. Shared by the table, the expression evaluator and the index.

#include <cstdint>
#include <string>

namespace zentrix::xbase {

// Type letters as they stand in the header. C, N and M are written; the
// others are read (Visual FoxPro tables) and refused on write.
enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Float = 'F',
    Memo = 'M',
    General = 'G',
    Blob = 'W',
    Integer = 'I',
    Double = 'B',
    Currency = 'Y',
    Date = 'D',
    DateTime = 'T',
    Logical = 'L',
    NullFlags = '0',  // VFP's hidden _NullFlags field
};

// Types whose field holds a block number in the memo file.
inline bool isMemoType(FieldType t) {
    return t == FieldType::Memo || t == FieldType::General || t == FieldType::Blob;
}

struct FieldDescriptor {
    std::string name;  // upper case as stored, at most 10 characters
    FieldType type = FieldType::Character;
    int length = 0;  // bytes in the record
    int decimals = 0;
    int offset = 0;     // of the field's first byte in the record; byte 0 is the deleted mark
    uint8_t flags = 0;  // VFP field flags (system, nullable, binary)
    bool nullable = false;
    int nullBit = -1;  // bit in _NullFlags for a nullable field
};

// Description of a field to create.
struct FieldSpec {
    std::string name;
    char type = 'C';
    int length = 0;
    int decimals = 0;
};

// Description of a tag to create in the production index.
struct TagSpec {
    std::string name;
    std::string keyExpression;
    std::string forExpression;  // empty: no filter
    bool unique = false;
    bool descending = false;
};

}  // namespace zentrix::xbase
