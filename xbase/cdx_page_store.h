#pragma once

// The pages of one compound index file. Reads go through a cache of decoded
// nodes; writes go straight to the file and refresh the cache. New pages come
// from the free list before the file grows; freed pages join it. The store
// also keeps the header's change counter, which every write moves on.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "xbase/cdx_node.h"
#include "xbase/file.h"
#include "xbase/status.h"

namespace zentrix::xbase::cdx {

using NodePtr = std::shared_ptr<const Node>;

class PageStore {
public:
    explicit PageStore(std::unique_ptr<File> file) : file_(std::move(file)) {}

    File& file() { return *file_; }
    const std::string& path() const { return file_->path(); }
    uint64_t pageCount() const { return fileSize_ / kPageSize; }
    uint64_t fileSize() const { return fileSize_; }
    uint32_t changeCounter() const { return changeCounter_; }

    // Reads the file size, the free list head and the change counter.
    Status readHeader();
    // Follows the free list once, so a loop or a wild pointer is found
    // before a page is handed out twice.
    Status checkFreeList();

    Result<NodePtr> load(uint32_t offset, int keyLength, char pad);
    Status store(const Node& node, char pad);
    Status writeU32(uint64_t offset, uint32_t value);
    Result<uint32_t> allocate();
    Status release(uint32_t offset);
    Status bumpChangeCounter();
    void dropCache() { cache_.clear(); }

    // A page offset must be aligned, past the directory header and inside the file.
    Status checkPageOffset(uint32_t offset, const std::string& what) const;

private:
    void remember(uint32_t offset, NodePtr node);

    std::unique_ptr<File> file_;
    uint64_t fileSize_ = 0;
    uint32_t changeCounter_ = 0;
    uint32_t freeHead_ = 0;
    std::unordered_map<uint32_t, NodePtr> cache_;
};

// "0x2400", for messages that name a page.
std::string hexOffset(uint64_t offset);

}  // namespace zentrix::xbase::cdx
