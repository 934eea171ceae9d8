#include "xbase/dbf_table.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "base/ascii_text.h"
#include "xbase/dbf_format.h"
#include "xbase/field_codec.h"
#include "xbase/key_encoding.h"

namespace zentrix::xbase {
namespace {

bool writableType(FieldType t) {
    return t == FieldType::Character || t == FieldType::Numeric || t == FieldType::Float ||
           t == FieldType::Memo;
}

bool isMemoType(FieldType t) {
    return t == FieldType::Memo || t == FieldType::General || t == FieldType::Blob;
}

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

DbfTable::DbfTable(Engine& engine, TableFiles files, OpenMode mode)
    : engine_(engine), files_(std::move(files)), mode_(mode) {}

DbfTable::~DbfTable() {
    flushPending();
    cursor_.reset();
    if (lockDepth_ > 0) {
        lockDepth_ = 1;
        // Nobody is left to hear it: unlock() records a failure as the
        // engine's pending error.
        (void)unlock();
    }
}

// ---- open and create -------------------------------------------------------

namespace {

// compressMemo writes a new memo file and a new table file beside the old
// ones, then renames the memo file into place and then the table file. Cut
// short before the first rename, both new files are dropped and the table is
// as it was; cut short between the renames, the table file's rename is done
// now, since the memo file in place already belongs to it.
Status finishInterruptedCompression(FileSystem& fs, const TableFiles& files, OpenMode mode) {
    const std::string tableTemp = files.table + ".compress";
    const std::string memoTemp = files.memo + ".compress";
    const bool tableLeft = fs.exists(tableTemp);
    if (!tableLeft && !fs.exists(memoTemp)) return Status::ok();

    // The compressing process may still be at work: its lock says so.
    ZX_TRY_ASSIGN(auto file, fs.open(files.table, mode));
    const bool exclusive = mode == OpenMode::ReadWrite;
    ZX_TRY(file->lock(dbf::kCommitLockOffset, dbf::kCommitLockLength, exclusive));
    Status status = [&]() -> Status {
        const bool tableStill = fs.exists(tableTemp);
        const bool memoStill = fs.exists(memoTemp);
        if (!tableStill && !memoStill) return Status::ok();  // it finished meanwhile
        if (!exclusive)
            return Status::error(
                files.table +
                ": a memo compression was interrupted; open the table for writing to finish it");
        if (tableStill && !memoStill) return fs.rename(tableTemp, files.table);
        if (memoStill) ZX_TRY(fs.remove(memoTemp));
        if (tableStill) ZX_TRY(fs.remove(tableTemp));
        return Status::ok();
    }();
    return status.withCleanup(file->unlock(dbf::kCommitLockOffset, dbf::kCommitLockLength));
}

}  // namespace

Result<std::unique_ptr<DbfTable>> DbfTable::open(Engine& engine, const std::string& path,
                                                 OpenMode mode) {
    TableFiles files = TableFiles::locate(engine.fileSystem(), path);
    if (!files.tableExists) return Status::error(files.table + ": " + kMissingMarker);
    ZX_TRY(finishInterruptedCompression(engine.fileSystem(), files, mode));
    std::unique_ptr<DbfTable> table(new DbfTable(engine, std::move(files), mode));
    ZX_TRY(table->openFiles());
    return table;
}

Status DbfTable::openFiles() {
    FileSystem& fs = engine_.fileSystem();
    ZX_TRY_ASSIGN(auto file, fs.open(files_.table, mode_));
    dbf_ = std::move(file);
    ZX_TRY_ASSIGN(uint64_t size, dbf_->size());
    std::string bytes(size_t(std::min<uint64_t>(size, dbf::kHeaderSize)), '\0');
    ZX_TRY(dbf_->readAt(0, bytes.data(), bytes.size()));
    if (bytes.size() == size_t(dbf::kHeaderSize)) {
        const int length =
            DbfHeader::lengthFromPrefix(reinterpret_cast<const uint8_t*>(bytes.data()));
        if (length > dbf::kHeaderSize && uint64_t(length) <= size) {
            bytes.resize(size_t(length));
            ZX_TRY(dbf_->readAt(0, bytes.data(), bytes.size()));
        }
    }
    // Another process may append while we read: its record is written before
    // the header counts it, so a size taken after the header covers the count.
    ZX_TRY_ASSIGN(size, dbf_->size());
    auto header = DbfHeader::parse(bytes, size);
    if (!header) return header.status().withContext(files_.table);
    header_ = std::move(header.value());

    for (size_t i = 0; i < header_.fields.size(); ++i)
        fields_.push_back(std::make_unique<Field>(header_.fields[i], int(i)));
    for (const auto& f : header_.fields) {
        if (!writableType(f.type) && writeProblem_.empty())
            writeProblem_ = files_.table + ": field " + f.name + " of type " +
                            std::string(1, char(f.type)) +
                            " cannot be written (only C, N and M); the table is read-only";
        if (f.type == FieldType::Memo && f.length != dbf::kTextMemoPointerLength &&
            f.length != dbf::kBinaryMemoPointerLength)
            return Status::error(files_.table + ": damaged header: memo field " + f.name +
                                 " has width " + std::to_string(f.length));
    }
    if (header_.nullFlagsOffset >= 0 && writeProblem_.empty())
        writeProblem_ = files_.table + ": tables with null flags are read-only";

    if (header_.hasMemoFields()) {
        if (!files_.memoExists)
            return Status::error(files_.table + ": memo file " + files_.memo + " is missing");
        ZX_TRY_ASSIGN(auto memoFile, fs.open(files_.memo, mode_));
        ZX_TRY_ASSIGN(auto memo, MemoFile::open(std::move(memoFile)));
        memo_ = std::move(memo);
    }

    info_.version = header_.version;
    info_.lastUpdateYear = header_.year;
    info_.lastUpdateMonth = header_.month;
    info_.lastUpdateDay = header_.day;
    info_.recordCount = header_.recordCount;
    info_.headerLength = header_.headerLength;
    info_.recordLength = header_.recordLength;
    info_.tableFlags = header_.tableFlags;
    info_.codePage = header_.codePage;
    info_.hasMemo = memo_ != nullptr;
    info_.memoBlockSize = memo_ ? int(memo_->blockSize()) : 0;
    info_.path = files_.table;
    info_.memoPath = memo_ ? files_.memo : "";

    ZX_TRY(attachIndex());
    if (mode_ == OpenMode::ReadOnly && writeProblem_.empty())
        writeProblem_ = files_.table + ": opened read-only";
    record_.assign(size_t(header_.recordLength), ' ');
    changedFields_.assign(fields_.size(), false);
    return Status::ok();
}

Status DbfTable::attachIndex() {
    if (!files_.indexExists) {
        if (header_.tableFlags & dbf::kFlagProductionIndex)
            warnings_.push_back(files_.table + ": production index " + files_.index +
                                " is missing; tags unavailable");
        return Status::ok();
    }
    ZX_TRY_ASSIGN(auto file, engine_.fileSystem().open(files_.index, mode_));
    auto index = CompoundIndex::open(std::move(file));
    if (!index) {
        // Without the tag directory the tags cannot be rebuilt; writing would
        // leave the index behind, so the table stays read-only.
        warnings_.push_back(index.message());
        if (writeProblem_.empty())
            writeProblem_ = files_.table + ": production index unreadable (" + index.message() +
                            "); the table is read-only";
        return Status::ok();
    }
    index_ = std::move(index.value());
    info_.indexPath = files_.index;
    for (const auto& indexTag : index_->tags()) {
        auto tag = std::make_unique<TableTag>(*indexTag, header_.fields, header_.nullFlagsOffset);
        if (!tag->usable()) {
            warnings_.push_back(files_.index + ": " + tag->problem() + "; the tag cannot be used");
            if (writeProblem_.empty())
                writeProblem_ = files_.table + ": " + tag->problem() + "; the table is read-only";
        }
        tags_.push_back(std::move(tag));
    }
    return verifyIndexAtOpen();
}

Status DbfTable::verifyIndexAtOpen() {
    // A live writer holds the commit lock for the whole of its commit, so a
    // dirty mark seen under the lock was left by a commit that never ended.
    const bool exclusive = mode_ == OpenMode::ReadWrite;
    const Status locked = dbf_->lock(dbf::kCommitLockOffset, dbf::kCommitLockLength, exclusive);
    // Read-only media may not support locks at all; a reader goes on without.
    if (!locked && exclusive) return locked;
    Status status = [&]() -> Status {
        ZX_TRY_ASSIGN(auto dirty, index_->isDirty());
        std::string reason = "left behind by an interrupted commit";
        if (!dirty) {
            // Another program may have appended or packed without the index.
            ZX_TRY(reloadHeader());
            ZX_TRY_ASSIGN(auto stamp, index_->stampedRecordCount());
            if (!stamp || *stamp == header_.recordCount) return Status::ok();
            reason = "indexes " + std::to_string(*stamp) + " records but the table holds " +
                     std::to_string(header_.recordCount) + " (changed without its index)";
        }
        const bool canRebuild = exclusive && std::all_of(tags_.begin(), tags_.end(),
                                                         [](const auto& t) { return t->usable(); });
        if (!canRebuild) {
            warnings_.push_back(files_.index + ": " + reason + "; its tags are not used");
            tags_.clear();
            index_.reset();
            if (writeProblem_.empty())
                writeProblem_ = files_.table + ": production index needs a rebuild";
            return Status::ok();
        }
        ZX_TRY(reloadHeader());
        ZX_TRY(rebuildIndex());
        warnings_.push_back(files_.index + ": " + reason + "; rebuilt from the table");
        return Status::ok();
    }();
    if (locked)
        status = status.withCleanup(dbf_->unlock(dbf::kCommitLockOffset, dbf::kCommitLockLength));
    return status;
}

Result<std::unique_ptr<DbfTable>> DbfTable::create(Engine& engine, const std::string& path,
                                                   const std::vector<FieldSpec>& fields,
                                                   const std::vector<TagSpec>& tagSpecs) {
    FileSystem& fs = engine.fileSystem();
    TableFiles files = TableFiles::locate(fs, path);
    const std::string& name = files.table;
    if (files.tableExists) {
        // Only a readable table is ever replaced: a damaged file may hold
        // data that a repair can still save.
        {
            auto existing = DbfTable::open(engine, files.table, OpenMode::ReadOnly);
            if (!existing)
                return Status::error(name + ": exists but is not a readable table, not replaced (" +
                                     existing.message() + ")");
        }
        if (engine.options().createSafety)
            return Status::error(name + ": already exists (create-safety is on)");
    }
    auto header = DbfHeader::build(fields, !tagSpecs.empty());
    if (!header) return header.status().withContext(name);

    std::vector<TagLayout> layouts;
    for (const auto& spec : tagSpecs) {
        auto key = Expression::compile(spec.keyExpression, header->fields);
        if (!key) return Status::error(name + ": tag " + spec.name + ": " + key.message());
        if (!spec.forExpression.empty()) {
            auto filter = Expression::compile(spec.forExpression, header->fields);
            if (!filter)
                return Status::error(name + ": tag " + spec.name + ": " + filter.message());
        }
        if (spec.name.empty() || spec.name.size() > 10)
            return Status::error(name + ": tag name \"" + spec.name +
                                 "\" is not 1 to 10 characters");
        TagLayout layout;
        layout.spec = spec;
        layout.keyType = keyTypeFor(*key);
        layout.keyLength = keyLengthFor(*key);
        if (layout.keyLength < 1 || layout.keyLength > 240)
            return Status::error(name + ": tag " + spec.name + ": key length " +
                                 std::to_string(layout.keyLength) + " not within 1 to 240");
        layouts.push_back(std::move(layout));
    }

    ZX_TRY_ASSIGN(auto file, fs.create(name));
    std::string bytes = header->serialize();
    bytes += char(dbf::kEofMarker);
    ZX_TRY(file->writeAt(0, bytes.data(), bytes.size()));
    ZX_TRY(file->truncate(bytes.size()));
    file.reset();

    if (header->hasMemoFields()) {
        ZX_TRY_ASSIGN(auto memoFile, fs.create(files.memo));
        ZX_TRY_ASSIGN(auto memo, MemoFile::create(std::move(memoFile),
                                                  uint32_t(engine.options().memoBlockSize)));
    } else if (files.memoExists) {
        ZX_TRY(fs.remove(files.memo));
    }
    if (!layouts.empty()) {
        ZX_TRY_ASSIGN(auto indexFile, fs.create(files.index));
        std::vector<std::vector<KeyEntry>> keys(layouts.size());
        ZX_TRY_ASSIGN(auto index,
                      CompoundIndex::build(std::move(indexFile), layouts, std::move(keys)));
    } else if (files.indexExists) {
        ZX_TRY(fs.remove(files.index));
    }
    return DbfTable::open(engine, name, OpenMode::ReadWrite);
}

// ---- handles ---------------------------------------------------------------

const Field* DbfTable::field(std::string_view name) const {
    for (const auto& f : fields_)
        if (base::ascii::equalsIgnoringCase(f->name(), name)) return f.get();
    return nullptr;
}

const Field* DbfTable::fieldAt(int index) const {
    return (index >= 0 && index < int(fields_.size())) ? fields_[size_t(index)].get() : nullptr;
}

const Tag* DbfTable::tag(std::string_view name) const {
    for (const auto& t : tags_)
        if (base::ascii::equalsIgnoringCase(t->name(), name)) return t.get();
    return nullptr;
}

std::vector<const Tag*> DbfTable::tags() const {
    std::vector<const Tag*> out;
    for (const auto& t : tags_) out.push_back(t.get());
    return out;
}

const FieldDescriptor* DbfTable::descriptorOf(const Field* f) const {
    if (!f || f->index() < 0 || f->index() >= int(fields_.size()) ||
        fields_[size_t(f->index())].get() != f)
        return nullptr;
    return &header_.fields[size_t(f->index())];
}

void DbfTable::report(int code, const Status& status) const {
    if (!status.isOk()) engine_.recordError(code, status.message());
}

Status DbfTable::fail(int code, const Status& status) const {
    report(code, status);
    return status;
}

bool DbfTable::headerReloaded() {
    const Status status = reloadHeader();
    report(kErrorRead, status);
    return status.isOk();
}

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

Status DbfTable::markDeleted() {
    ZX_TRY(refuseFailedGroup());
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorWrite, requireRecord()));
    record_[0] = char(dbf::kDeletedMark);
    deletedChanged_ = true;
    changed_ = true;
    return commit();
}

Status DbfTable::recall() {
    ZX_TRY(refuseFailedGroup());
    ZX_TRY(fail(kErrorWrite, writable()));
    ZX_TRY(fail(kErrorWrite, requireRecord()));
    record_[0] = char(dbf::kLiveMark);
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
