// DbfTable: assigning fields, committing records, and the table lock.

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

// ---- writes ----------------------------------------------------------------

Status DbfTable::writable() const {
    if (!writeProblem_.empty()) return Status::error(writeProblem_);
    return Status::ok();
}

Status DbfTable::requireRecord() const {
    if (recno_ == 0 && !appending_) return Status::error(files_.table + ": no current record");
    return Status::ok();
}

Status DbfTable::appendBlank() {
    flushPending();
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorRead, reloadHeader()));
    record_.assign(size_t(header_.recordLength), ' ');
    discardPending();
    appending_ = true;
    changed_ = true;
    recno_ = header_.recordCount + 1;  // settled at commit, under the lock
    eof_ = false;
    cursorValid_ = false;
    return Status::ok();
}

Status DbfTable::setFieldBytes(const Field* f, std::string_view bytes) {
    const FieldDescriptor& d = header_.fields[size_t(f->index())];
    record_.replace(size_t(d.offset), size_t(d.length), bytes.substr(0, size_t(d.length)));
    changedFields_[size_t(f->index())] = true;
    changed_ = true;
    return Status::ok();
}

Status DbfTable::assignText(const Field* f, std::string_view text) {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d) return fail(kErrorData, Status::error(files_.table + ": no such field"));
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorWrite, requireRecord()));
    switch (d->type) {
        case FieldType::Character: {
            std::string bytes(text.substr(0, size_t(d->length)));
            bytes.resize(size_t(d->length), ' ');
            return setFieldBytes(f, bytes);
        }
        case FieldType::Numeric:
        case FieldType::Float: {
            const std::string trimmed = base::ascii::trimmed(text, base::ascii::kBlank);
            if (trimmed.empty()) return setFieldBytes(f, std::string(size_t(d->length), ' '));
            char* end = nullptr;
            const double value = std::strtod(trimmed.c_str(), &end);
            if (end != trimmed.c_str() + trimmed.size())
                return fail(kErrorData, Status::error(files_.table + ": field " + d->name + ": \"" +
                                                      trimmed + "\" is not a number"));
            return assignNumber(f, value);
        }
        case FieldType::Memo:
            return assignMemoText(f, text);
        default:
            return fail(kErrorData, Status::error(writeProblem_));
    }
}

Status DbfTable::assignNumber(const Field* f, double value) {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d) return fail(kErrorData, Status::error(files_.table + ": no such field"));
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorWrite, requireRecord()));
    if (d->type == FieldType::Numeric || d->type == FieldType::Float) {
        auto text = FieldCodec::formatNumber(value, d->length, d->decimals);
        if (!text)
            return fail(kErrorData, text.status().withContext(files_.table + ": field " + d->name));
        return setFieldBytes(f, *text);
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return assignText(f, buf);
}

Status DbfTable::assignWhole(const Field* f, long value) {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d) return fail(kErrorData, Status::error(files_.table + ": no such field"));
    if ((d->type == FieldType::Numeric || d->type == FieldType::Float) && d->decimals == 0) {
        ZX_TRY(fail(kErrorWrite, writable()));
        ZX_TRY(fail(kErrorWrite, requireRecord()));
        auto text = FieldCodec::formatInteger(value, d->length);
        if (!text)
            return fail(kErrorData, text.status().withContext(files_.table + ": field " + d->name));
        return setFieldBytes(f, *text);
    }
    if (d->type == FieldType::Numeric || d->type == FieldType::Float)
        return assignNumber(f, double(value));
    return assignText(f, std::to_string(value));
}

Status DbfTable::assignMemoText(const Field* f, std::string_view text) {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d) return fail(kErrorData, Status::error(files_.table + ": no such field"));
    if (d->type != FieldType::Memo) return assignText(f, text);
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorWrite, requireRecord()));
    pendingMemos_[f->index()] = PendingMemo{fpt::kTypeText, std::string(text)};
    changedFields_[size_t(f->index())] = true;
    changed_ = true;
    return Status::ok();
}

Status DbfTable::assign(const Field* f, std::string_view text) {
    ZX_TRY(refuseFailedGroup());
    return groupResult(assignText(f, text));
}

Status DbfTable::assignDouble(const Field* f, double value) {
    ZX_TRY(refuseFailedGroup());
    return groupResult(assignNumber(f, value));
}

Status DbfTable::assignLong(const Field* f, long value) {
    ZX_TRY(refuseFailedGroup());
    return groupResult(assignWhole(f, value));
}

Status DbfTable::assignInt(const Field* f, int value) { return assignLong(f, long(value)); }

Status DbfTable::assignMemo(const Field* f, std::string_view text) {
    ZX_TRY(refuseFailedGroup());
    return groupResult(assignMemoText(f, text));
}

Status DbfTable::assignMemoBytes(const Field* f, const void* data, size_t length) {
    ZX_TRY(refuseFailedGroup());
    return groupResult([&]() -> Status {
        const FieldDescriptor* d = descriptorOf(f);
        if (!d) return fail(kErrorData, Status::error(files_.table + ": no such field"));
        if (d->type != FieldType::Memo)
            return fail(kErrorData, Status::error(files_.table + ": field " + d->name +
                                                  " is not a memo field"));
        ZX_TRY(fail(kErrorWrite, writable()));
        ZX_TRY(fail(kErrorWrite, requireRecord()));
        if (length > 0 && !data)
            return fail(kErrorData, Status::error(files_.table + ": no bytes given"));
        pendingMemos_[f->index()] =
            PendingMemo{fpt::kTypePicture, std::string(static_cast<const char*>(data), length)};
        changedFields_[size_t(f->index())] = true;
        changed_ = true;
        return Status::ok();
    }());
}

Status DbfTable::markDeleted() { return setDeletionMark(char(dbf::kDeletedMark)); }

Status DbfTable::recall() { return setDeletionMark(char(dbf::kLiveMark)); }

Status DbfTable::setDeletionMark(char mark) {
    ZX_TRY(refuseFailedGroup());
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorWrite, requireRecord()));
    record_[0] = mark;
    deletedChanged_ = true;
    changed_ = true;
    return commit();
}

Status DbfTable::commit() {
    if (!groupFailure_.empty()) {
        const Status refused =
            Status::error(files_.table + ": not committed: a write to this record failed (" +
                          groupFailure_ + "); its changes were discarded");
        groupFailure_.clear();
        return fail(kErrorData, refused);
    }
    if (!changed_) return Status::ok();
    Status status = fail(kErrorWrite, writable());
    if (status) {
        status = fail(kErrorLock, lock());
        if (status) {
            status = commitLocked().withCleanup(unlock());
            report(kErrorWrite, status);
        }
    }
    // A commit that failed is not tried again by the next move.
    if (!status) dropChanges();
    return status;
}

Status DbfTable::sync() {
    ZX_TRY(fail(kErrorWrite, dbf_->sync()));
    if (memo_) ZX_TRY(fail(kErrorWrite, memo_->file().sync()));
    if (index_) ZX_TRY(fail(kErrorWrite, index_->file().sync()));
    return Status::ok();
}

Status DbfTable::commitLocked() {
    // lock() has re-read the record count, the memo header and the index.
    std::string before;  // the record as another process may have left it
    std::string after;
    uint32_t recno = recno_;
    if (appending_) {
        recno = header_.recordCount + 1;
        after = record_;
    } else {
        ZX_TRY_ASSIGN(auto fresh, readRecordFresh(recno));
        before = std::move(fresh);
        after = before;
        for (size_t i = 0; i < fields_.size(); ++i) {
            if (!changedFields_[i]) continue;
            const auto& d = header_.fields[i];
            after.replace(size_t(d.offset), size_t(d.length), record_, size_t(d.offset),
                          size_t(d.length));
        }
        if (deletedChanged_) after[0] = record_[0];
    }

    struct KeyChange {
        TableTag* tag;
        std::optional<std::string> oldKey, newKey;
    };
    std::vector<KeyChange> changes;
    // Memo pointers do not take part in keys, so keys can be worked out now.
    for (const auto& tag : tags_) {
        std::optional<std::string> oldKey = appending_ ? std::nullopt : tag->keyFor(before);
        std::optional<std::string> newKey = tag->keyFor(after);
        if (oldKey != newKey) changes.push_back({tag.get(), std::move(oldKey), std::move(newKey)});
    }

    // An append moves the record count the index is stamped with, even when
    // no tag takes the new record.
    const bool touchIndex = index_ && (!changes.empty() || appending_);
    if (touchIndex) ZX_TRY(index_->setDirty(true));
    if (!pendingMemos_.empty()) {
        if (!memo_) return Status::error(files_.table + ": the table has no memo file");
        for (const auto& [fieldIndex, pending] : pendingMemos_) {
            const auto& d = header_.fields[size_t(fieldIndex)];
            uint32_t block = 0;
            if (!pending.data.empty()) {
                ZX_TRY_ASSIGN(auto written, memo_->append(pending.type, pending.data));
                block = written;
            }
            after.replace(size_t(d.offset), size_t(d.length),
                          FieldCodec::encodeMemoBlock(block, d));
        }
        ZX_TRY(memo_->publish());
    }
    if (appending_) {
        std::string bytes = after;
        bytes += char(dbf::kEofMarker);
        ZX_TRY(dbf_->writeAt(header_.recordOffset(recno), bytes.data(), bytes.size()));
        header_.recordCount = recno;
        header_.touchDate();
        ZX_TRY(writeHeaderPrefix());
    } else {
        ZX_TRY(dbf_->writeAt(header_.recordOffset(recno), after.data(), after.size()));
        const int y = header_.year, m = header_.month, d = header_.day;
        header_.touchDate();
        if (y != header_.year || m != header_.month || d != header_.day)
            ZX_TRY(writeHeaderPrefix());
    }
    for (auto& change : changes) {
        if (change.oldKey)
            ZX_TRY(change.tag->index()
                       .remove(*change.oldKey, recno)
                       .withContext("tag " + change.tag->name()));
        if (change.newKey)
            ZX_TRY(change.tag->index()
                       .insert(*change.newKey, recno)
                       .withContext("tag " + change.tag->name()));
    }
    if (touchIndex) ZX_TRY(index_->markClean(header_.recordCount));

    cache_.clear();
    record_ = std::move(after);
    recno_ = recno;
    eof_ = false;
    info_.recordCount = header_.recordCount;
    discardPending();
    cursorValid_ = false;
    return Status::ok();
}

Status DbfTable::writeHeaderPrefix() {
    uint8_t prefix[12];
    header_.encodePrefix(prefix);
    // The version byte stays as the file has it.
    return dbf_->writeAt(dbf::kDateAt, prefix + dbf::kDateAt, 7);
}

Status DbfTable::reloadHeader() {
    uint8_t prefix[12];
    ZX_TRY(dbf_->readAt(0, prefix, sizeof prefix));
    const uint32_t count = dbf::readU32le(prefix + dbf::kRecordCountAt);
    if (count != header_.recordCount) {
        ZX_TRY_ASSIGN(auto size, dbf_->size());
        if (uint64_t(header_.headerLength) + uint64_t(count) * uint64_t(header_.recordLength) >
            size)
            return Status::error(files_.table + ": header claims " + std::to_string(count) +
                                 " records, more than the file holds");
        header_.recordCount = count;
        info_.recordCount = count;
        cache_.clear();
    }
    return Status::ok();
}

Result<std::string> DbfTable::readRecordFresh(uint32_t recno) {
    if (recno < 1 || recno > header_.recordCount)
        return Status::error(files_.table + ": record " + std::to_string(recno) +
                             " does not exist");
    std::string bytes(size_t(header_.recordLength), '\0');
    ZX_TRY(dbf_->readAt(header_.recordOffset(recno), bytes.data(), bytes.size()));
    return bytes;
}

// ---- locking ---------------------------------------------------------------

Status DbfTable::lock() {
    if (lockDepth_++ > 0) return Status::ok();
    Status status =
        dbf_->lock(dbf::kCommitLockOffset, dbf::kCommitLockLength, mode_ == OpenMode::ReadWrite);
    if (status) {
        cache_.clear();
        status = reloadHeader();
        if (status && memo_) status = memo_->reload();
        if (status && index_) status = index_->refresh();
        cursorValid_ = false;
        if (!status)
            status =
                status.withCleanup(dbf_->unlock(dbf::kCommitLockOffset, dbf::kCommitLockLength));
    }
    if (!status) {
        lockDepth_ = 0;
        return fail(kErrorLock, status);
    }
    return status;
}

Status DbfTable::unlock() {
    if (lockDepth_ == 0) return Status::ok();
    if (--lockDepth_ > 0) return Status::ok();
    // Recorded as the pending error too: a lock that stays held stops every
    // other writer, so its failure must not go unseen where a caller (a
    // destructor, a clean-up) cannot pass it on.
    return fail(kErrorLock, dbf_->unlock(dbf::kCommitLockOffset, dbf::kCommitLockLength));
}

Status DbfTable::refresh() {
    groupFailure_.clear();
    discardPending();
    cache_.clear();
    cursorValid_ = false;
    ZX_TRY(fail(kErrorRead, reloadHeader()));
    if (recno_ == 0) return Status::ok();
    auto fresh = readRecordFresh(recno_);
    if (!fresh) return fail(kErrorRead, fresh.status());
    record_ = std::move(fresh.value());
    return Status::ok();
}

}  // namespace zentrix::xbase
