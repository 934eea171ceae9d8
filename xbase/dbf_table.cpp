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

// Suffix of the files a create writes before it renames them into place.
constexpr const char* kStagedSuffix = ".creating";

bool writableType(FieldType t) {
    return t == FieldType::Character || t == FieldType::Numeric || t == FieldType::Float ||
           t == FieldType::Memo;
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

    // The files are written under staged names and renamed into place, the
    // table last: a program opening the table meanwhile finds the old one or
    // the whole new one, never an empty header or a table without its index.
    std::vector<std::string> staged;  // final names; each staged as name + kStagedSuffix
    Status written = [&]() -> Status {
        staged.push_back(files.table);
        ZX_TRY_ASSIGN(auto file, fs.create(files.table + kStagedSuffix));
        std::string bytes = header->serialize();
        bytes += char(dbf::kEofMarker);
        ZX_TRY(file->writeAt(0, bytes.data(), bytes.size()));
        ZX_TRY(file->truncate(bytes.size()));
        file.reset();
        if (header->hasMemoFields()) {
            staged.push_back(files.memo);
            ZX_TRY_ASSIGN(auto memoFile, fs.create(files.memo + kStagedSuffix));
            ZX_TRY_ASSIGN(auto memo, MemoFile::create(std::move(memoFile),
                                                      uint32_t(engine.options().memoBlockSize)));
        }
        if (!layouts.empty()) {
            staged.push_back(files.index);
            ZX_TRY_ASSIGN(auto indexFile, fs.create(files.index + kStagedSuffix));
            std::vector<std::vector<KeyEntry>> keys(layouts.size());
            ZX_TRY_ASSIGN(auto index,
                          CompoundIndex::build(std::move(indexFile), layouts, std::move(keys)));
        }
        return Status::ok();
    }();
    if (!written.isOk()) {
        // What stays behind is only staged files, which the next create
        // overwrites; the write failure is what the caller needs to hear.
        for (const std::string& final : staged) static_cast<void>(fs.remove(final + kStagedSuffix));
        return written;
    }
    // Memo and index first, the table last.
    for (auto it = staged.rbegin(); it != staged.rend(); ++it) {
        const Status moved = fs.rename(*it + kStagedSuffix, *it);
        if (!moved.isOk()) {
            for (auto rest = it; rest != staged.rend(); ++rest)
                static_cast<void>(fs.remove(*rest + kStagedSuffix));
            return moved;
        }
    }
    if (!header->hasMemoFields() && files.memoExists) ZX_TRY(fs.remove(files.memo));
    if (layouts.empty() && files.indexExists) ZX_TRY(fs.remove(files.index));
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

}  // namespace zentrix::xbase
