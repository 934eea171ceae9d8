#pragma once

// An FPT memo file. Memos are only ever appended: a changed memo goes into
// new blocks at the end and the record is pointed at them, so a commit cut
// short never damages a memo that was committed before. compact() (through
// the table's compressMemo) reclaims the space.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "xbase/file.h"
#include "xbase/status.h"

namespace zentrix::xbase {

struct MemoBlock {
    uint32_t type = 0;  // 0 picture (byte memo), 1 text
    std::string data;
};

class MemoFile {
public:
    static Result<std::unique_ptr<MemoFile>> open(std::unique_ptr<File> file);
    static Result<std::unique_ptr<MemoFile>> create(std::unique_ptr<File> file, uint32_t blockSize);

    // Reads the memo starting at `block`; the length is checked against the file.
    Result<MemoBlock> read(uint32_t block);
    // Writes a memo into new blocks at the end; gives its first block. The
    // header's next-free pointer is not moved until publish().
    Result<uint32_t> append(uint32_t type, std::string_view data);
    // Writes the next-free pointer after the blocks appended since the last publish.
    Status publish();
    // Re-reads the next-free pointer (another process may have appended).
    Status reload();
    // Drops everything but the header; the next memo goes to the first block.
    Status clear();

    uint32_t blockSize() const { return blockSize_; }
    uint32_t nextFree() const { return nextFree_; }
    File& file() { return *file_; }

private:
    explicit MemoFile(std::unique_ptr<File> file) : file_(std::move(file)) {}
    Status readHeader();

    std::unique_ptr<File> file_;
    uint32_t blockSize_ = 64;
    uint32_t nextFree_ = 0;
    uint32_t publishedNextFree_ = 0;
};

}  // namespace zentrix::xbase
