#pragma once

// A read-ahead window of consecutive records, so a scan costs one read per
// window instead of one per record. The window starts at one record and
// doubles while reads go forward in order, so random access reads no more
// than it needs. Dropped whenever the table's file may have changed under it
// (a commit, a lock taken, a jump to another position).

#include <cstdint>
#include <string>
#include <string_view>

#include "xbase/file.h"
#include "xbase/status.h"

namespace zentrix::xbase {

class RecordCache {
public:
    // Reads `recno` (1-based) of records of `recordLength` bytes starting at
    // `headerLength`, never beyond `recordCount`.
    Result<std::string_view> read(File& file, uint32_t recno, uint32_t recordCount,
                                  int headerLength, int recordLength);
    void clear() { count_ = 0; }

private:
    static constexpr size_t kWindowBytes = 64 * 1024;
    std::string buffer_;
    uint32_t first_ = 0;   // first record held
    uint32_t count_ = 0;   // records held
    uint32_t window_ = 1;  // records the next sequential read fetches
};

}  // namespace zentrix::xbase
