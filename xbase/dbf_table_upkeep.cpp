// DbfTable: reindex, pack, zap, memo compression and the consistency check.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "base/ascii_text.h"
#include "xbase/dbf_format.h"
#include "xbase/dbf_table.h"
#include "xbase/field_codec.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase {
namespace {

// Keys in messages: printable bytes as they are, others as \xHH.
std::string printable(std::string_view key) {
    std::string out;
    for (unsigned char c : key) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

}  // namespace

// ---- upkeep ----------------------------------------------------------------

Result<std::vector<std::vector<KeyEntry>>> DbfTable::collectKeys() {
    std::vector<std::vector<KeyEntry>> keys(tags_.size());
    cache_.clear();
    for (uint32_t r = 1; r <= header_.recordCount; ++r) {
        ZX_TRY_ASSIGN(auto bytes, cache_.read(*dbf_, r, header_.recordCount, header_.headerLength,
                                              header_.recordLength));
        for (size_t t = 0; t < tags_.size(); ++t)
            if (auto key = tags_[t]->keyFor(bytes)) keys[t].push_back({std::move(*key), r});
    }
    return keys;
}

Status DbfTable::rebuildIndex() {
    if (!index_) return Status::ok();
    for (const auto& tag : tags_)
        if (!tag->usable())
            return Status::error(files_.index + ": " + tag->problem() + "; cannot rebuild");
    std::vector<TagLayout> layouts;
    for (const auto& tag : tags_) layouts.push_back(tag->layout());
    ZX_TRY_ASSIGN(auto keys, collectKeys());
    ZX_TRY(index_->setDirty(true));  // until the new content is complete
    cursor_.reset();
    index_.reset();
    ZX_TRY_ASSIGN(auto file, engine_.fileSystem().open(files_.index, OpenMode::ReadWrite));
    ZX_TRY_ASSIGN(auto index, CompoundIndex::build(std::move(file), layouts, std::move(keys)));
    index_ = std::move(index);
    for (auto& tag : tags_) {
        IndexTag* fresh = index_->tag(tag->name());
        if (!fresh)
            return Status::error(files_.index + ": tag " + tag->name() + " lost in the rebuild");
        tag->rebind(*fresh);
        fresh->setKeyType(tag->keyType());
    }
    if (selected_) cursor_ = selected_->index().cursor();
    cursorValid_ = false;
    return index_->markClean(header_.recordCount);
}

Status DbfTable::reindex() {
    flushPending();
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorLock, lock()));
    const Status status = rebuildIndex().withCleanup(unlock());
    return fail(kErrorIndex, status);
}

Status DbfTable::rewriteRecords(const std::vector<uint32_t>& keep) {
    // Records move only towards the front, so one that is still wanted is
    // never overwritten before it has been copied. The index is marked dirty
    // first: cut short, the next open rebuilds it instead of trusting it.
    if (index_) ZX_TRY(index_->setDirty(true));
    cache_.clear();
    uint32_t to = 0;
    std::string bytes(size_t(header_.recordLength), '\0');
    for (uint32_t from : keep) {
        ++to;
        if (from == to) continue;
        ZX_TRY(dbf_->readAt(header_.recordOffset(from), bytes.data(), bytes.size()));
        ZX_TRY(dbf_->writeAt(header_.recordOffset(to), bytes.data(), bytes.size()));
    }
    const uint64_t end = header_.recordOffset(to + 1);
    const char eofMarker = char(dbf::kEofMarker);
    ZX_TRY(dbf_->writeAt(end, &eofMarker, 1));
    header_.recordCount = to;
    info_.recordCount = to;
    header_.touchDate();
    ZX_TRY(writeHeaderPrefix());
    ZX_TRY(dbf_->truncate(end + 1));
    cache_.clear();
    return rebuildIndex();
}

Status DbfTable::pack() {
    flushPending();
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorLock, lock()));
    Status status = [&]() -> Status {
        std::vector<uint32_t> keep;
        for (uint32_t r = 1; r <= header_.recordCount; ++r) {
            ZX_TRY_ASSIGN(auto bytes, cache_.read(*dbf_, r, header_.recordCount,
                                                  header_.headerLength, header_.recordLength));
            if (uint8_t(bytes[0]) != dbf::kDeletedMark) keep.push_back(r);
        }
        return rewriteRecords(keep);
    }();
    status = status.withCleanup(unlock());
    standOnNothing(false);
    return fail(kErrorWrite, status);
}

Status DbfTable::zap(uint32_t first, uint32_t last) {
    flushPending();
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorLock, lock()));
    Status status = [&]() -> Status {
        std::vector<uint32_t> keep;
        for (uint32_t r = 1; r <= header_.recordCount; ++r)
            if (r < first || r > last) keep.push_back(r);
        return rewriteRecords(keep);
    }();
    status = status.withCleanup(unlock());
    standOnNothing(false);
    return fail(kErrorWrite, status);
}

Status DbfTable::compressMemo() {
    flushPending();
    ZX_TRY(fail(kErrorWrite, writable()));
    if (!memo_) return Status::ok();
    ZX_TRY(fail(kErrorLock, lock()));
    // The live memos are copied into a fresh memo file beside the old one and
    // the records into a fresh table file; both replace the originals only
    // when complete, so an interruption before that leaves the table as it was.
    FileSystem& fs = engine_.fileSystem();
    const std::string memoTemp = files_.memo + ".compress";
    const std::string tableTemp = files_.table + ".compress";
    bool memoReplaced = false;
    Status status = [&]() -> Status {
        ZX_TRY_ASSIGN(auto memoFile, fs.create(memoTemp));
        ZX_TRY_ASSIGN(auto fresh, MemoFile::create(std::move(memoFile), memo_->blockSize()));
        ZX_TRY_ASSIGN(auto tableFile, fs.create(tableTemp));
        std::string head(size_t(header_.headerLength), '\0');
        ZX_TRY(dbf_->readAt(0, head.data(), head.size()));
        ZX_TRY(tableFile->writeAt(0, head.data(), head.size()));
        for (uint32_t r = 1; r <= header_.recordCount; ++r) {
            ZX_TRY_ASSIGN(auto bytes, readRecordFresh(r));
            std::string record = std::move(bytes);
            for (const auto& d : header_.fields) {
                if (!isMemoType(d.type)) continue;
                auto block = FieldCodec::memoBlock(record, d);
                if (!block)
                    return block.status().withContext(files_.table + ": record " +
                                                      std::to_string(r));
                uint32_t moved = 0;
                if (*block != 0) {
                    ZX_TRY_ASSIGN(auto memo, memo_->read(*block));
                    if (!memo.data.empty()) {
                        ZX_TRY_ASSIGN(auto at, fresh->append(memo.type, memo.data));
                        moved = at;
                    }
                }
                record.replace(size_t(d.offset), size_t(d.length),
                               FieldCodec::encodeMemoBlock(moved, d));
            }
            ZX_TRY(tableFile->writeAt(header_.recordOffset(r), record.data(), record.size()));
        }
        const char eofMarker = char(dbf::kEofMarker);
        ZX_TRY(tableFile->writeAt(header_.recordOffset(header_.recordCount + 1), &eofMarker, 1));
        ZX_TRY(fresh->publish());
        ZX_TRY(fresh->file().sync());
        ZX_TRY(tableFile->sync());
        fresh.reset();
        tableFile.reset();
        ZX_TRY(fs.rename(memoTemp, files_.memo));
        memoReplaced = true;
        ZX_TRY(fs.rename(tableTemp, files_.table));
        return Status::ok();
    }();
    if (!status) {
        // Before the first rename both new files are dropped and the table is
        // as it was. After it, the memo file in place belongs to the new table
        // file: that one must stay for the next open to put in place
        // (finishInterruptedCompression); dropping it would pair the old
        // records with the new memo blocks. A scratch file that cannot be
        // removed is also finished or dropped by the next open.
        if (!memoReplaced) {
            status = status.withCleanup(fs.remove(memoTemp));
            status = status.withCleanup(fs.remove(tableTemp));
        } else {
            // Writes through this handle would go to the files being replaced.
            writeProblem_ = files_.table +
                            ": a memo compression is half done; open the table again to finish it";
            status = status.withContext(files_.table +
                                        ": memo file compressed but the table file is not yet in "
                                        "place; the next open finishes it");
        }
        status = status.withCleanup(unlock());
        return fail(kErrorWrite, status);
    }
    // The old descriptors point at the replaced files; the lock went with them.
    lockDepth_ = 0;
    auto table = fs.open(files_.table, mode_);
    if (!table) return fail(kErrorWrite, table.status());
    dbf_ = std::move(table.value());
    auto memoFile = fs.open(files_.memo, mode_);
    if (!memoFile) return fail(kErrorWrite, memoFile.status());
    auto memo = MemoFile::open(std::move(memoFile.value()));
    if (!memo) return fail(kErrorWrite, memo.status());
    memo_ = std::move(memo.value());
    cache_.clear();
    standOnNothing(false);
    return Status::ok();
}

Status DbfTable::check() {
    flushPending();
    if (!index_) return Status::ok();
    ZX_TRY(fail(kErrorLock, lock()));
    Status status = [&]() -> Status {
        for (const auto& tag : tags_)
            if (!tag->usable()) return Status::error(files_.index + ": " + tag->problem());
        ZX_TRY_ASSIGN(auto expected, collectKeys());
        for (size_t t = 0; t < tags_.size(); ++t) {
            TableTag& tag = *tags_[t];
            auto& want = expected[t];
            std::sort(want.begin(), want.end(), [](const KeyEntry& a, const KeyEntry& b) {
                return a.key != b.key ? a.key < b.key : a.recno < b.recno;
            });
            ZX_TRY_ASSIGN(auto got, tag.index().entries());
            if (tag.index().descending()) std::reverse(got.begin(), got.end());
            const std::string where = files_.index + ": tag " + tag.name() + ": ";
            for (size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
                if (want[i].key == got[i].key && want[i].recno == got[i].recno) continue;
                return Status::error(
                    where + "entry " + std::to_string(i + 1) + " is \"" + printable(got[i].key) +
                    "\" record " + std::to_string(got[i].recno) + ", the table gives \"" +
                    printable(want[i].key) + "\" record " + std::to_string(want[i].recno));
            }
            if (want.size() != got.size())
                return Status::error(where + "holds " + std::to_string(got.size()) +
                                     " keys, the table gives " + std::to_string(want.size()));
        }
        return Status::ok();
    }();
    status = status.withCleanup(unlock());
    return fail(kErrorIndex, status);
}

}  // namespace zentrix::xbase
