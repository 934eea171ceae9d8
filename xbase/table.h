#pragma once

// An open table with its memo file and production index.
//
// Position: a table stands on one record (or on none: before the first or
// after the last). In a selected tag the order is the tag's; with no tag it
// is record-number order. Movement reports true while it stands on a record.
//
// Writes: field assignments change the current record's buffer; commit()
// writes the record, its memos and every tag it touches, in an order that a
// crash at any step cannot turn into a table that loses earlier commits.
// Moving off a changed record commits it first.
//
// A write group (the assignments since the last commit, append or move) is
// all or nothing. When one assignment of it is refused (a number too wide
// for its field, a text that is not a number, ...) or its commit fails, the
// whole group is discarded: the record reads again as the file holds it (an
// appended record is dropped), later assignments of the group are refused
// too, and commit() reports the failure. Nothing of a failed group is ever
// written later by a commit or a move.
//
// Several processes may open one table: writers take a byte-range lock for
// the span of a commit and re-read what another process may have changed.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/field.h"
#include "xbase/status.h"

namespace zentrix::xbase {

class Engine;
class IndexTag;

// A field handle. Owned by its table; valid while the table is open.
class Field {
public:
    const FieldDescriptor& descriptor() const { return descriptor_; }
    const std::string& name() const { return descriptor_.name; }
    FieldType type() const { return descriptor_.type; }
    int length() const { return descriptor_.length; }
    int decimals() const { return descriptor_.decimals; }
    int index() const { return index_; }  // 0-based position in the record

    Field(FieldDescriptor d, int index) : descriptor_(std::move(d)), index_(index) {}

private:
    FieldDescriptor descriptor_;
    int index_;
};

// A tag handle. Owned by its table; valid while the table is open.
class Tag {
public:
    virtual ~Tag() = default;
    virtual const std::string& name() const = 0;
    virtual const std::string& keyExpression() const = 0;
    virtual const std::string& forExpression() const = 0;
    virtual int keyLength() const = 0;
    // False when the engine could not evaluate the tag's expressions: the tag
    // cannot be selected and the table refuses writes (its index would rot).
    virtual bool usable() const = 0;
    virtual const std::string& problem() const = 0;
};

struct TableInfo {
    uint8_t version = 0;  // 0x03, 0xF5, 0x30, ...
    int lastUpdateYear = 0, lastUpdateMonth = 0, lastUpdateDay = 0;
    uint32_t recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    uint8_t tableFlags = 0;  // byte 28
    uint8_t codePage = 0;    // byte 29
    bool hasMemo = false;
    int memoBlockSize = 0;
    std::string path, memoPath, indexPath;
};

class Table {
public:
    virtual ~Table() = default;

    virtual const TableInfo& info() const = 0;

    // Handles
    virtual int fieldCount() const = 0;
    virtual const Field* field(std::string_view name) const = 0;  // nullptr when absent
    virtual const Field* fieldAt(int index) const = 0;
    virtual const Tag* tag(std::string_view name) const = 0;  // nullptr when absent
    virtual std::vector<const Tag*> tags() const = 0;
    // Problems found at open that did not stop it (an unusable tag, an
    // index rebuilt because it no longer matched the table).
    virtual const std::vector<std::string>& warnings() const = 0;

    // Order and position
    // Moves follow the tag's order; nullptr: record-number order. Fails for
    // a tag that cannot be used (its index is damaged) or that belongs to
    // another table, and the order selected before stays.
    virtual Status selectTag(const Tag* tag) = 0;
    // Record-number order: reads no index, so it cannot fail.
    void selectRecordOrder() { (void)selectTag(nullptr); }
    virtual const Tag* selectedTag() const = 0;
    virtual bool top() = 0;
    virtual bool bottom() = 0;
    virtual bool skip(long n = 1) = 0;
    virtual bool go(uint32_t recno) = 0;
    // Found when a key equal to the value is in the selected tag (text is
    // compared as if blank-padded to the key width). Not found leaves the
    // table on the next greater key, or past the end.
    virtual bool seek(std::string_view text) = 0;
    virtual bool seek(double number) = 0;
    virtual uint32_t recno() const = 0;  // 0 when on no record
    virtual bool eof() const = 0;
    virtual uint32_t recordCount() = 0;  // re-reads the header
    virtual bool deleted() const = 0;

    // Reads of the current record; an absent field or no record gives "" / 0.
    virtual std::string text(const Field* f) const = 0;  // blank-padded as stored
    virtual std::string memo(const Field* f) const = 0;  // memo bytes; character fields: their text
    virtual long asLong(const Field* f) const = 0;
    virtual int asInt(const Field* f) const = 0;
    virtual double asDouble(const Field* f) const = 0;
    virtual std::string rawRecord() const = 0;  // deleted mark + fields, as in the file
    // A byte memo: stored as a picture block (assignMemoBytes), or laid out
    // as a 4-byte little-endian count followed by exactly that many bytes.
    virtual bool isByteMemo(const Field* f) const = 0;

    // Writes
    virtual Status appendBlank() = 0;
    virtual Status assign(const Field* f, std::string_view text) = 0;
    virtual Status assignLong(const Field* f, long value) = 0;
    virtual Status assignInt(const Field* f, int value) = 0;
    virtual Status assignDouble(const Field* f, double value) = 0;
    virtual Status assignMemo(const Field* f, std::string_view text) = 0;
    virtual Status assignMemoBytes(const Field* f, const void* data, size_t length) = 0;
    virtual Status commit() = 0;
    // Drops the changes not yet committed (see the write-group rule above).
    virtual void discard() = 0;
    virtual Status markDeleted() = 0;
    virtual Status recall() = 0;

    // A lock held across a read-modify-write: while it is held no other
    // process commits to this table, and reads see what others committed
    // before it was taken. Nested locks are counted. A failure of either is
    // also recorded as the engine's pending error.
    virtual Status lock() = 0;
    virtual Status unlock() = 0;
    // Re-reads the current record from the file (after lock()).
    virtual Status refresh() = 0;

    // Flushes what has been committed to the table, its memo file and its
    // index down to the disk (fsync), so a power cut right after loses
    // nothing of it. Commits do not do this by themselves: it costs a disk
    // round trip and is for the moments a user expects their work to be safe.
    virtual Status sync() = 0;

    // Upkeep
    virtual Status pack() = 0;
    virtual Status compressMemo() = 0;
    virtual Status zap(uint32_t first, uint32_t last) = 0;
    virtual Status reindex() = 0;
    // Compares every tag with what the table says it should hold.
    virtual Status check() = 0;
};

// Holds a table lock for a scope. release() lets go early and says whether
// that worked; the destructor lets go of a lock still held, and a failure
// there reaches the engine's pending error (Table::unlock records it).
class TableLock {
public:
    explicit TableLock(Table& t) : table_(t), status_(t.lock()), held_(status_.isOk()) {}
    ~TableLock() {
        if (held_) (void)table_.unlock();  // recorded as the pending error
    }
    const Status& status() const { return status_; }
    Status release() {
        if (!held_) return Status::ok();
        held_ = false;
        return table_.unlock();
    }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

private:
    Table& table_;
    Status status_;
    bool held_;
};

}  // namespace zentrix::xbase
