#include "xbase/record_cache.h"

#include <algorithm>

namespace zentrix::xbase {

Result<std::string_view> RecordCache::read(File& file, uint32_t recno, uint32_t recordCount, int headerLength,
                                           int recordLength) {
    const size_t length = size_t(recordLength);
    if (recno < first_ || recno >= first_ + count_) {
        const uint32_t want = uint32_t(std::max<size_t>(1, kWindowBytes / length));
        const uint32_t n = std::min<uint32_t>(want, recordCount - recno + 1);
        buffer_.resize(size_t(n) * length);
        count_ = 0;
        ZX_TRY(file.readAt(uint64_t(headerLength) + uint64_t(recno - 1) * length, buffer_.data(), buffer_.size()));
        first_ = recno;
        count_ = n;
    }
    return std::string_view(buffer_).substr(size_t(recno - first_) * length, length);
}

}  // namespace zentrix::xbase
