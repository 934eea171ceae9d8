// DbfTable: moving between records and reading their fields.

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

// ---- position --------------------------------------------------------------

Status DbfTable::selectTag(const Tag* tag) {
    flushPending();
    if (!tag) {
        selected_ = nullptr;
        cursor_.reset();
        return Status::ok();
    }
    for (const auto& t : tags_) {
        if (t.get() != tag) continue;
        if (!t->usable())
            return fail(kErrorIndex, Status::error(files_.index + ": " + t->problem()));
        selected_ = t.get();
        cursor_ = selected_->index().cursor();
        cursorValid_ = false;
        return Status::ok();
    }
    return fail(kErrorIndex,
                Status::error(files_.table + ": the tag does not belong to this table"));
}

void DbfTable::discardPending() {
    pendingMemos_.clear();
    std::fill(changedFields_.begin(), changedFields_.end(), false);
    deletedChanged_ = false;
    appending_ = false;
    changed_ = false;
}

void DbfTable::flushPending() {
    // A failed group was discarded when it failed; moving on ends it.
    if (!groupFailure_.empty()) {
        groupFailure_.clear();
        return;
    }
    if (!changed_) return;
    // A failed commit discards the group itself; the failure is in the
    // engine's pending error.
    (void)commit();
}

void DbfTable::dropChanges() {
    const bool wasAppending = appending_;
    const bool hadChanges = changed_;
    discardPending();
    cursorValid_ = false;
    if (wasAppending) {
        standOnNothing(true);
        return;
    }
    if (!hadChanges || recno_ == 0) return;
    cache_.clear();
    auto fresh = readRecordFresh(recno_);
    if (fresh)
        record_ = std::move(fresh.value());
    else
        standOnNothing(true);
}

void DbfTable::discard() {
    groupFailure_.clear();
    dropChanges();
}

Status DbfTable::refuseFailedGroup() const {
    if (groupFailure_.empty()) return Status::ok();
    return fail(kErrorData,
                Status::error(files_.table + ": an earlier write to this record failed (" +
                              groupFailure_ + "); its changes were discarded"));
}

Status DbfTable::groupResult(Status status) {
    if (status.isOk()) return status;
    if (groupFailure_.empty()) {
        groupFailure_ = status.message();
        dropChanges();
    }
    return status;
}

void DbfTable::standOnNothing(bool atEnd) {
    recno_ = 0;
    eof_ = atEnd;
    record_.assign(size_t(header_.recordLength), ' ');
    cursorValid_ = false;
}

bool DbfTable::load(uint32_t recno) {
    if (recno < 1 || recno > header_.recordCount) {
        standOnNothing(true);
        return false;
    }
    auto bytes =
        cache_.read(*dbf_, recno, header_.recordCount, header_.headerLength, header_.recordLength);
    if (!bytes) {
        report(kErrorRead, bytes.status());
        standOnNothing(true);
        return false;
    }
    record_.assign(bytes->data(), bytes->size());
    recno_ = recno;
    eof_ = false;
    return true;
}

bool DbfTable::placeFromCursor(const Result<bool>& moved) {
    if (!moved) {
        report(kErrorIndex, moved.status());
        standOnNothing(true);
        return false;
    }
    if (!moved.value()) {
        standOnNothing(true);
        return false;
    }
    const uint32_t recno = cursor_->recno();
    if (recno > header_.recordCount && !headerReloaded()) {  // appended by another process
        standOnNothing(true);
        return false;
    }
    if (!load(recno)) {
        report(kErrorIndex,
               Status::error(files_.index + ": tag " + selected_->name() + " points at record " +
                             std::to_string(recno) + " of " + std::to_string(header_.recordCount)));
        return false;
    }
    cursorValid_ = true;
    return true;
}

void DbfTable::freshen() {
    // Another process may have committed since the last look.
    cache_.clear();
    cursorValid_ = false;
    if (selected_ && lockDepth_ == 0) {
        report(kErrorIndex, index_->refresh());
    }
}

bool DbfTable::top() {
    flushPending();
    freshen();
    if (!selected_) {
        if (!headerReloaded()) {
            standOnNothing(true);
            return false;
        }
        return load(1);
    }
    return placeFromCursor(cursor_->first());
}

bool DbfTable::bottom() {
    flushPending();
    freshen();
    if (!headerReloaded()) {
        standOnNothing(true);
        return false;
    }
    if (!selected_) return load(header_.recordCount);
    return placeFromCursor(cursor_->last());
}

bool DbfTable::go(uint32_t recno) {
    flushPending();
    cache_.clear();
    cursorValid_ = false;
    if (recno > header_.recordCount && !headerReloaded()) {
        standOnNothing(true);
        return false;
    }
    return load(recno);
}

Result<bool> DbfTable::repositionCursor() {
    if (cursorValid_) return true;
    auto key = selected_->keyFor(record_);
    if (key) {
        ZX_TRY_ASSIGN(auto found, cursor_->find(*key, recno_));
        if (found) {
            cursorValid_ = true;
            return true;
        }
    }
    // Not in the tag (filtered out, or deleted since): stand on the entry
    // that follows where its key would be.
    const std::string place = selected_->placeOf(record_);
    auto placed = cursor_->seek(place);
    if (!placed) return placed.status();
    while (placed.value() && cursor_->key() == place && cursor_->recno() < recno_) {
        placed = cursor_->next();
        if (!placed) return placed.status();
    }
    if (!placed.value()) return Status::error("past the end");
    return false;
}

bool DbfTable::skip(long n) {
    flushPending();
    if (n == 0) return recno_ != 0;
    if (!selected_) {
        if (recno_ == 0) {
            if (eof_ && n < 0) return bottom() && skip(n + 1);
            if (!eof_ && n > 0) return top() && skip(n - 1);
            return false;
        }
        const long long target = (long long)recno_ + n;
        if (target < 1) {
            standOnNothing(false);
            return false;
        }
        if (uint64_t(target) > header_.recordCount && !headerReloaded()) {
            standOnNothing(true);
            return false;
        }
        return load(uint32_t(target));
    }
    if (recno_ == 0) {
        if (eof_ && n < 0) return bottom() && skip(n + 1);
        if (!eof_ && n > 0) return top() && skip(n - 1);
        return false;
    }
    auto exact = repositionCursor();
    long steps = n > 0 ? n : -n;
    if (!exact) {
        // Past the end of the tag: moving back starts at its last entry.
        if (n > 0) {
            standOnNothing(true);
            return false;
        }
        auto last = cursor_->last();
        if (!last || !*last) return placeFromCursor(last);
        steps -= 1;
    } else if (!*exact && n > 0) {
        steps -= 1;  // the cursor already stands one entry ahead
    }
    Result<bool> moved = true;
    for (long i = 0; i < steps; ++i) {
        moved = n > 0 ? cursor_->next() : cursor_->prev();
        if (!moved || !*moved) break;
    }
    if (moved && !*moved && n < 0) {
        standOnNothing(false);
        return false;
    }
    return placeFromCursor(moved);
}

bool DbfTable::seek(std::string_view text) {
    flushPending();
    if (!selected_) {
        report(kErrorIndex, Status::error(files_.table + ": seek without a selected tag"));
        return false;
    }
    freshen();
    const std::string key = selected_->seekKey(text);
    if (!placeFromCursor(cursor_->seek(key))) return false;
    if (selected_->keyType() == KeyType::Character) {
        // Text beyond the key width can only match blanks.
        const size_t width = size_t(selected_->keyLength());
        if (text.size() > width &&
            text.substr(width).find_first_not_of(' ') != std::string_view::npos)
            return false;
    } else if (!std::isfinite(FieldCodec::parseNumber(text))) {
        return false;
    }
    return cursor_->key() == key;
}

bool DbfTable::seek(double number) {
    flushPending();
    if (!selected_) {
        report(kErrorIndex, Status::error(files_.table + ": seek without a selected tag"));
        return false;
    }
    if (selected_->keyType() == KeyType::Character) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", number);
        return seek(std::string_view(buf));
    }
    double wanted = number;
    bool exactPossible = true;
    if (selected_->keyType() == KeyType::Integer && wanted != std::floor(wanted)) {
        wanted = std::ceil(wanted);
        exactPossible = false;
    }
    freshen();
    const std::string key = selected_->seekKey(wanted);
    if (!placeFromCursor(cursor_->seek(key))) return false;
    return exactPossible && cursor_->key() == key;
}

uint32_t DbfTable::recordCount() {
    // A header that cannot be re-read leaves the count known so far; the
    // failure is the pending error.
    headerReloaded();
    return header_.recordCount;
}

bool DbfTable::deleted() const { return recno_ != 0 && uint8_t(record_[0]) == dbf::kDeletedMark; }

// ---- reads -----------------------------------------------------------------

std::string DbfTable::text(const Field* f) const {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d || (recno_ == 0 && !appending_)) return "";
    if (isMemoType(d->type)) return memo(f);
    return FieldCodec::text(record_, *d);
}

std::string DbfTable::memo(const Field* f) const {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d || (recno_ == 0 && !appending_)) return "";
    if (!isMemoType(d->type)) return FieldCodec::text(record_, *d);
    if (auto pending = pendingMemos_.find(f->index()); pending != pendingMemos_.end())
        return pending->second.data;
    auto block = FieldCodec::memoBlock(record_, *d);
    if (!block) {
        report(kErrorRead,
               block.status().withContext(files_.table + ": record " + std::to_string(recno_)));
        return "";
    }
    if (*block == 0 || !memo_) return "";
    auto memo = memo_->read(*block);
    if (!memo) {
        report(kErrorRead,
               memo.status().withContext(files_.table + ": record " + std::to_string(recno_) +
                                         ", field " + d->name));
        return "";
    }
    return std::move(memo.value().data);
}

bool DbfTable::isByteMemo(const Field* f) const {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d || !isMemoType(d->type) || (recno_ == 0 && !appending_)) return false;
    uint32_t type = fpt::kTypeText;
    std::string data;
    if (auto pending = pendingMemos_.find(f->index()); pending != pendingMemos_.end()) {
        type = pending->second.type;
        data = pending->second.data;
    } else {
        auto block = FieldCodec::memoBlock(record_, *d);
        if (!block || *block == 0 || !memo_) return false;
        auto memo = memo_->read(*block);
        if (!memo) return false;
        type = memo->type;
        data = std::move(memo->data);
    }
    if (data.empty()) return false;
    if (type == fpt::kTypePicture || d->type != FieldType::Memo) return true;
    return data.size() >= 4 &&
           dbf::readU32le(reinterpret_cast<const uint8_t*>(data.data())) == data.size() - 4;
}

double DbfTable::asDouble(const Field* f) const {
    const FieldDescriptor* d = descriptorOf(f);
    if (!d || (recno_ == 0 && !appending_)) return 0;
    if (isMemoType(d->type)) return FieldCodec::parseNumber(memo(f));
    return FieldCodec::number(record_, *d);
}

long DbfTable::asLong(const Field* f) const {
    const double v = asDouble(f);
    if (!std::isfinite(v)) return 0;
    if (v >= 9.2e18) return std::numeric_limits<long>::max();
    if (v <= -9.2e18) return std::numeric_limits<long>::min();
    return long(std::trunc(v));
}

int DbfTable::asInt(const Field* f) const {
    const long v = asLong(f);
    return int(
        std::clamp<long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace zentrix::xbase
