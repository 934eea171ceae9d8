#include "xbase/record_cache.h"

#include <algorithm>

namespace zentrix::xbase {

Result<std::string_view> RecordCache::read(File& file, uint32_t recno, uint32_t recordCount,
                                           int headerLength, int recordLength) {
    const size_t length = size_t(recordLength);
    if (recno < first_ || recno >= first_ + count_) {
        const uint32_t most = uint32_t(std::max<size_t>(1, kWindowBytes / length));
        const bool sequential = count_ > 0 && recno == first_ + count_;
        window_ = sequential ? std::min(most, window_ * 2) : 1;
        const uint32_t n = std::min<uint32_t>(window_, recordCount - recno + 1);
        buffer_.resize(size_t(n) * length);
        count_ = 0;
        ZX_TRY(file.readAt(uint64_t(headerLength) + uint64_t(recno - 1) * length, buffer_.data(),
                           buffer_.size()));
        first_ = recno;
        count_ = n;
    }
    return std::string_view(buffer_).substr(size_t(recno - first_) * length, length);
}

}  // namespace zentrix::xbase
