#pragma once

// The Table of a DBF file with its FPT memo file and CDX production index.
//
// Commit order, chosen so that a crash between any two writes loses nothing
// committed before: raise the index's dirty mark; write new memo blocks at the
// memo file's end; move the memo header's next-free pointer; write the record
// (an append writes the end-of-file marker with it); raise the header's
// record count and date; update the tags whose keys changed; clear the dirty
// mark. A dirty mark found at open means the index may be out of step and is
// rebuilt from the table.
//
// Writers hold the commit lock (dbf_format.h) for the span of a commit and
// re-read the record count, the memo header and the index when they take it.
// Upkeep (pack, zap, compressMemo, reindex) rewrites files wholesale and wants
// the table to itself.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "xbase/compound_index.h"
#include "xbase/dbf_header.h"
#include "xbase/engine.h"
#include "xbase/memo_file.h"
#include "xbase/record_cache.h"
#include "xbase/table.h"
#include "xbase/table_files.h"
#include "xbase/table_tag.h"

namespace zentrix::xbase {

class DbfTable : public Table {
public:
    // Part of the message of an open that failed because there is no such file.
    static constexpr const char* kMissingMarker = "no such table";

    static Result<std::unique_ptr<DbfTable>> open(Engine& engine, const std::string& path,
                                                  OpenMode mode);
    static Result<std::unique_ptr<DbfTable>> create(Engine& engine, const std::string& path,
                                                    const std::vector<FieldSpec>& fields,
                                                    const std::vector<TagSpec>& tags);
    ~DbfTable() override;

    const TableInfo& info() const override { return info_; }
    int fieldCount() const override { return int(fields_.size()); }
    const Field* field(std::string_view name) const override;
    const Field* fieldAt(int index) const override;
    const Tag* tag(std::string_view name) const override;
    std::vector<const Tag*> tags() const override;
    const std::vector<std::string>& warnings() const override { return warnings_; }

    Status selectTag(const Tag* tag) override;
    const Tag* selectedTag() const override { return selected_; }
    bool top() override;
    bool bottom() override;
    bool skip(long n = 1) override;
    bool go(uint32_t recno) override;
    bool seek(std::string_view text) override;
    bool seek(double number) override;
    uint32_t recno() const override { return recno_; }
    bool eof() const override { return eof_; }
    uint32_t recordCount() override;
    bool deleted() const override;

    std::string text(const Field* f) const override;
    std::string memo(const Field* f) const override;
    long asLong(const Field* f) const override;
    int asInt(const Field* f) const override;
    double asDouble(const Field* f) const override;
    std::string rawRecord() const override { return record_; }
    bool isByteMemo(const Field* f) const override;

    Status appendBlank() override;
    Status assign(const Field* f, std::string_view text) override;
    Status assignLong(const Field* f, long value) override;
    Status assignInt(const Field* f, int value) override;
    Status assignDouble(const Field* f, double value) override;
    Status assignMemo(const Field* f, std::string_view text) override;
    Status assignMemoBytes(const Field* f, const void* data, size_t length) override;
    Status commit() override;
    void discard() override;
    Status markDeleted() override;
    Status recall() override;

    Status lock() override;
    Status unlock() override;
    Status refresh() override;

    Status sync() override;

    Status pack() override;
    Status compressMemo() override;
    Status zap(uint32_t first, uint32_t last) override;
    Status reindex() override;
    Status check() override;

private:
    struct PendingMemo {
        uint32_t type = 0;
        std::string data;
    };
    enum class Step { Forward, Backward };

    DbfTable(Engine& engine, TableFiles files, OpenMode mode);
    Status openFiles();
    Status attachIndex();
    Status verifyIndexAtOpen();

    // Errors go to the engine's pending error code as well as to the caller;
    // report() only records them, for operations that answer with a bool or
    // a value (moves, reads) and leave the reason in the pending error.
    Status fail(int code, const Status& status) const;
    void report(int code, const Status& status) const;
    Status writable() const;
    const FieldDescriptor* descriptorOf(const Field* f) const;
    Status requireRecord() const;
    Status setFieldBytes(const Field* f, std::string_view bytes);
    // The write-group rule: a failed assignment or commit discards the group.
    Status groupResult(Status status);
    Status refuseFailedGroup() const;
    // Sets the record's deletion byte and commits it.
    Status setDeletionMark(char mark);
    Status assignText(const Field* f, std::string_view text);
    Status assignNumber(const Field* f, double value);
    Status assignWhole(const Field* f, long value);
    Status assignMemoText(const Field* f, std::string_view text);

    Status reloadHeader();
    // reloadHeader() for moves and counts: false, with the failure recorded
    // as the pending error, when the header cannot be read again.
    bool headerReloaded();
    Status writeHeaderPrefix();
    Result<std::string> readRecordFresh(uint32_t recno);
    bool load(uint32_t recno);
    void freshen();
    void standOnNothing(bool atEnd);
    void flushPending();
    void discardPending();
    // Drops the pending changes and reads the record again as the file holds it.
    void dropChanges();

    bool placeFromCursor(const Result<bool>& moved);
    // Puts the cursor on the current record; false when that record is not
    // in the tag and the cursor stands on the next entry after it instead.
    Result<bool> repositionCursor();

    Status commitLocked();
    Status rebuildIndex();
    Result<std::vector<std::vector<KeyEntry>>> collectKeys();
    Status rewriteRecords(const std::vector<uint32_t>& keep);

    Engine& engine_;
    TableFiles files_;
    OpenMode mode_;
    std::unique_ptr<File> dbf_;
    std::unique_ptr<MemoFile> memo_;
    std::unique_ptr<CompoundIndex> index_;
    DbfHeader header_;
    TableInfo info_;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<std::unique_ptr<TableTag>> tags_;
    std::vector<std::string> warnings_;
    std::string writeProblem_;  // non-empty: writes are refused, with this reason

    TableTag* selected_ = nullptr;
    std::unique_ptr<IndexTag::Cursor> cursor_;
    bool cursorValid_ = false;

    uint32_t recno_ = 0;
    bool eof_ = true;
    std::string record_;  // current record with pending changes
    std::vector<bool> changedFields_;
    bool deletedChanged_ = false;
    bool appending_ = false;
    bool changed_ = false;
    std::map<int, PendingMemo> pendingMemos_;
    std::string groupFailure_;  // non-empty: the current write group failed and was discarded

    int lockDepth_ = 0;
    RecordCache cache_;
};

}  // namespace zentrix::xbase
