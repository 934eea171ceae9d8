#pragma once

// The header of a DBF table: the 32-byte prefix and the field descriptors.
// parse() checks every length, count and offset against the file before any
// of it is used; build() lays out a new FoxPro 2.x header.

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/field.h"
#include "xbase/status.h"

namespace zentrix::xbase {

class DbfHeader {
public:
    uint8_t version = 0;
    int year = 0, month = 0, day = 0;  // of the last update
    uint32_t recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    uint8_t tableFlags = 0;
    uint8_t codePage = 0;
    std::vector<FieldDescriptor> fields;  // without VFP's hidden _NullFlags
    int nullFlagsOffset = -1;             // of _NullFlags in the record, -1 when absent
    int nullFlagsLength = 0;

    // `bytes` holds the file's first bytes (at least the whole header when the
    // file is that long); `fileSize` is the size of the whole file.
    static Result<DbfHeader> parse(const std::string& bytes, uint64_t fileSize);
    // The header length a file's first read should cover to hold its whole header.
    static int lengthFromPrefix(const uint8_t* prefix32);

    // A FoxPro 2.x header for new fields (checked: names, types C/N/M, widths).
    static Result<DbfHeader> build(const std::vector<FieldSpec>& specs, bool hasIndex);

    std::string serialize() const;             // whole header, terminator included
    void encodePrefix(uint8_t out[12]) const;  // version, date, count, lengths: bytes 0..11
    void touchDate();                          // sets the update date to today

    bool hasMemoFields() const;
    uint64_t recordOffset(uint32_t recno) const {  // recno is 1-based
        return uint64_t(headerLength) + uint64_t(recno - 1) * uint64_t(recordLength);
    }
};

}  // namespace zentrix::xbase
