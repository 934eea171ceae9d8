#include "xbase/memo_file.h"

#include <cstring>

#include "xbase/dbf_format.h"

namespace zentrix::xbase {

Result<std::unique_ptr<MemoFile>> MemoFile::open(std::unique_ptr<File> file) {
    std::unique_ptr<MemoFile> memo(new MemoFile(std::move(file)));
    ZX_TRY(memo->readHeader());
    return memo;
}

Result<std::unique_ptr<MemoFile>> MemoFile::create(std::unique_ptr<File> file, uint32_t blockSize) {
    if (blockSize < 1 || blockSize > 65535)
        return Status::error(file->path() + ": memo block size " + std::to_string(blockSize) +
                             " not within 1 to 65535");
    std::unique_ptr<MemoFile> memo(new MemoFile(std::move(file)));
    memo->blockSize_ = blockSize;
    std::string header(fpt::kHeaderSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(header.data());
    memo->nextFree_ = fpt::firstFreeBlock(blockSize);
    dbf::writeU32be(p + fpt::kNextFreeAt, memo->nextFree_);
    dbf::writeU16be(p + fpt::kBlockSizeAt, uint16_t(blockSize));
    ZX_TRY(memo->file_->truncate(0));
    ZX_TRY(memo->file_->writeAt(0, header.data(), header.size()));
    memo->publishedNextFree_ = memo->nextFree_;
    return memo;
}

Status MemoFile::readHeader() {
    uint8_t header[8];
    ZX_TRY_ASSIGN(auto size, file_->size());
    if (size < sizeof header)
        return Status::error(file_->path() + ": not a memo file: " + std::to_string(size) +
                             " bytes, shorter than its header");
    ZX_TRY(file_->readAt(0, header, sizeof header));
    const uint32_t blockSize = dbf::readU16be(header + fpt::kBlockSizeAt);
    if (blockSize == 0) return Status::error(file_->path() + ": damaged memo header: block size 0");
    blockSize_ = blockSize;
    nextFree_ = dbf::readU32be(header + fpt::kNextFreeAt);
    const uint64_t first = fpt::firstFreeBlock(blockSize_);
    if (nextFree_ < first) nextFree_ = uint32_t(first);
    // A next-free pointer short of the file's end leaves blocks written by a
    // cut-short commit; they are simply overwritten later. One beyond the
    // end is harmless too: appends fill the gap.
    publishedNextFree_ = nextFree_;
    return Status::ok();
}

Status MemoFile::reload() { return readHeader(); }

Result<MemoBlock> MemoFile::read(uint32_t block) {
    const std::string where = file_->path() + ": memo block " + std::to_string(block);
    if (block < fpt::firstFreeBlock(blockSize_))
        return Status::error(where + " lies inside the memo header");
    ZX_TRY_ASSIGN(auto size, file_->size());
    const uint64_t at = uint64_t(block) * blockSize_;
    if (at + fpt::kBlockHeaderSize > size)
        return Status::error(where + " lies beyond the end of the file (" + std::to_string(size) +
                             " bytes)");
    uint8_t head[fpt::kBlockHeaderSize];
    ZX_TRY(file_->readAt(at, head, sizeof head));
    MemoBlock memo;
    memo.type = dbf::readU32be(head);
    const uint32_t length = dbf::readU32be(head + 4);
    if (at + fpt::kBlockHeaderSize + length > size)
        return Status::error(where + " claims " + std::to_string(length) +
                             " bytes, past the end of the file");
    memo.data.resize(length);
    if (length > 0) ZX_TRY(file_->readAt(at + fpt::kBlockHeaderSize, memo.data.data(), length));
    return memo;
}

Result<uint32_t> MemoFile::append(uint32_t type, std::string_view data) {
    const uint64_t total = uint64_t(fpt::kBlockHeaderSize) + data.size();
    const uint64_t blocks = (total + blockSize_ - 1) / blockSize_;
    if (uint64_t(nextFree_) + blocks > 0xFFFFFFFFull || data.size() > 0xFFFFFFFFull)
        return Status::error(file_->path() + ": memo file full");
    const uint32_t block = nextFree_;
    std::string bytes(size_t(total), '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    dbf::writeU32be(p, type);
    dbf::writeU32be(p + 4, uint32_t(data.size()));
    if (!data.empty()) std::memcpy(p + fpt::kBlockHeaderSize, data.data(), data.size());
    ZX_TRY(file_->writeAt(uint64_t(block) * blockSize_, bytes.data(), bytes.size()));
    nextFree_ = uint32_t(block + blocks);
    return block;
}

Status MemoFile::publish() {
    if (nextFree_ == publishedNextFree_) return Status::ok();
    uint8_t p[4];
    dbf::writeU32be(p, nextFree_);
    ZX_TRY(file_->writeAt(fpt::kNextFreeAt, p, sizeof p));
    publishedNextFree_ = nextFree_;
    return Status::ok();
}

Status MemoFile::clear() {
    nextFree_ = fpt::firstFreeBlock(blockSize_);
    publishedNextFree_ = 0;
    ZX_TRY(publish());
    return file_->truncate(uint64_t(nextFree_) * blockSize_ < fpt::kHeaderSize
                               ? fpt::kHeaderSize
                               : uint64_t(nextFree_) * blockSize_);
}

}  // namespace zentrix::xbase
