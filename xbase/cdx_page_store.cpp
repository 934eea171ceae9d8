#include "xbase/cdx_page_store.h"

#include <algorithm>
#include <cstdio>

namespace zentrix::xbase::cdx {
namespace {

// Enough for every page of the largest bank index many times over; past it
// the cache starts afresh rather than tracking use.
constexpr size_t kMaxCachedNodes = 65536;

bool isEnd(uint32_t offset) { return offset == 0 || offset == kNoPage; }

}  // namespace

std::string hexOffset(uint64_t offset) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(offset));
    return buffer;
}

Status PageStore::readHeader() {
    ZX_TRY_ASSIGN(auto size, file_->size());
    fileSize_ = size;
    if (fileSize_ < kHeaderSize + kPageSize) {
        return Status::error(path() + ": too short for a compound index (" +
                             std::to_string(fileSize_) + " bytes)");
    }
    uint8_t bytes[12];
    ZX_TRY(file_->readAt(0, bytes, sizeof bytes));
    freeHead_ = readLe32(bytes + header::kFreeList);
    changeCounter_ = readLe32(bytes + header::kChangeCounter);
    return Status::ok();
}

Status PageStore::checkPageOffset(uint32_t offset, const std::string& what) const {
    if (offset % kPageSize != 0 || offset < kHeaderSize || offset + kPageSize > fileSize_) {
        return Status::error(what + " at " + hexOffset(offset) + " lies outside the file's " +
                             std::to_string(pageCount()) + " pages");
    }
    return Status::ok();
}

Status PageStore::checkFreeList() {
    uint32_t offset = freeHead_;
    for (uint64_t steps = 0; !isEnd(offset); ++steps) {
        if (steps > pageCount()) return Status::error(path() + ": free page list loops");
        ZX_TRY(checkPageOffset(offset, "free page").withContext(path()));
        uint8_t bytes[4];
        ZX_TRY(file_->readAt(offset, bytes, 4));
        offset = readLe32(bytes);
    }
    return Status::ok();
}

void PageStore::remember(uint32_t offset, NodePtr node) {
    if (cache_.size() >= kMaxCachedNodes) cache_.clear();
    cache_[offset] = std::move(node);
}

Result<NodePtr> PageStore::load(uint32_t offset, int keyLength, char pad) {
    if (auto it = cache_.find(offset); it != cache_.end()) {
        if (it->second->keyLength != keyLength) {
            return Status::error("page at " + hexOffset(offset) +
                                 " is shared by tags of different key lengths");
        }
        return it->second;
    }
    ZX_TRY(checkPageOffset(offset, "page"));
    Page page;
    ZX_TRY(file_->readAt(offset, page.data(), page.size()));
    ZX_TRY_ASSIGN(auto node, decodeNode(page, offset, keyLength, pad));
    auto shared = std::make_shared<const Node>(std::move(node));
    remember(offset, shared);
    return shared;
}

Status PageStore::store(const Node& node, char pad) {
    auto page = encodeNode(node, pad);
    if (!page) return Status::error("page at " + hexOffset(node.offset) + " overflows");
    ZX_TRY(file_->writeAt(node.offset, page->data(), page->size()));
    fileSize_ = std::max<uint64_t>(fileSize_, node.offset + kPageSize);
    remember(node.offset, std::make_shared<const Node>(node));
    return Status::ok();
}

Status PageStore::writeU32(uint64_t offset, uint32_t value) {
    uint8_t bytes[4];
    writeLe32(bytes, value);
    return file_->writeAt(offset, bytes, 4);
}

Result<uint32_t> PageStore::allocate() {
    if (!isEnd(freeHead_)) {
        ZX_TRY(checkPageOffset(freeHead_, "free page"));
        uint8_t bytes[4];
        ZX_TRY(file_->readAt(freeHead_, bytes, 4));
        const uint32_t page = freeHead_;
        const uint32_t next = readLe32(bytes);
        if (next == page) return Status::error("free page list loops at " + hexOffset(page));
        freeHead_ = next;
        ZX_TRY(writeU32(header::kFreeList, freeHead_));
        cache_.erase(page);
        return page;
    }
    const uint64_t end = (fileSize_ + kPageSize - 1) / kPageSize * kPageSize;
    if (end + kPageSize > 0xFFFFFFFFull) return Status::error("index file is full (4 GB)");
    fileSize_ = end + kPageSize;
    return static_cast<uint32_t>(end);
}

Status PageStore::release(uint32_t offset) {
    Page page{};
    writeLe32(page.data(), isEnd(freeHead_) ? 0 : freeHead_);
    ZX_TRY(file_->writeAt(offset, page.data(), page.size()));
    cache_.erase(offset);
    freeHead_ = offset;
    return writeU32(header::kFreeList, freeHead_);
}

Status PageStore::bumpChangeCounter() {
    ++changeCounter_;
    return writeU32(header::kChangeCounter, changeCounter_);
}

}  // namespace zentrix::xbase::cdx
