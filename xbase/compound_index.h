#pragma once

// A FoxPro compound index (.cdx): a tag directory and one compact B-tree per
// tag in 512-byte pages. This class knows pages and keys, not records: the
// table evaluates expressions, encodes keys (key_encoding.h) and tells the
// index what to insert and remove. See docs/formats/cdx.md for the layout.
//
// Every offset, count and length read from the file is checked; a damaged
// page gives an error naming the file, the tag and the page, never a crash.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/field.h"
#include "xbase/file.h"
#include "xbase/status.h"

namespace zentrix::xbase {

enum class KeyType : uint8_t { Character, Numeric, Integer, Date, Logical };

// What the table decided a tag looks like when it creates one.
struct TagLayout {
    TagSpec spec;
    KeyType keyType = KeyType::Character;
    int keyLength = 0;  // bytes of the encoded key (character: expression width; numeric: 8)
};

struct KeyEntry {
    std::string key;  // encoded, keyLength bytes
    uint32_t recno = 0;
};

class IndexTag;

class CompoundIndex {
public:
    // Reads the tag directory of an existing file.
    static Result<std::unique_ptr<CompoundIndex>> open(std::unique_ptr<File> file);
    // Writes a new index holding the given tags, each filled from `keys`
    // (one vector per tag, in the order of `tags`, in any order: it is sorted
    // here by key then record number). Replaces the file's content.
    static Result<std::unique_ptr<CompoundIndex>> build(std::unique_ptr<File> file,
                                                        const std::vector<TagLayout>& tags,
                                                        std::vector<std::vector<KeyEntry>> keys);
    ~CompoundIndex();

    const std::vector<std::unique_ptr<IndexTag>>& tags() const;
    IndexTag* tag(std::string_view name) const;  // case-insensitive; nullptr when absent

    // A writer raises the dirty mark before its first write of a commit and
    // clears it after its last; a mark found raised at open means a commit
    // was cut short and the index must be rebuilt, not trusted.
    Result<bool> isDirty();
    Status setDirty(bool dirty);
    // Clears the dirty mark and stamps the table's record count in one write.
    Status markClean(uint32_t recordCount);
    // The record count stamped by the last markClean, or nothing when the file
    // carries no stamp (an index written by another program). A stamp that
    // differs from the table's count means another program changed the table
    // without its index.
    Result<std::optional<uint32_t>> stampedRecordCount();

    // Pages are cached. Another process's writes bump a change counter in the
    // header; refresh() drops the cache when the counter moved.
    Status refresh();

    File& file();

    struct Impl;

private:
    explicit CompoundIndex(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class IndexTag {
public:
    virtual ~IndexTag() = default;

    virtual const std::string& name() const = 0;
    virtual const std::string& keyExpression() const = 0;
    virtual const std::string& forExpression() const = 0;
    virtual int keyLength() const = 0;      // without VFP's null marker byte
    virtual bool nullableKeys() const = 0;  // VFP: keys carry a leading null marker
    virtual bool descending() const = 0;
    virtual bool unique() const = 0;  // unique or VFP candidate

    // Compressed trailing bytes are blanks in character keys and zero bytes
    // in all others, and the file does not record which a tag holds. open()
    // guesses from the first and last keys (docs/formats/cdx.md); the table,
    // which knows the key expression's type, confirms it here before use.
    virtual KeyType keyType() const = 0;
    virtual void setKeyType(KeyType type) = 0;

    // Keys are compared as plain bytes; equal keys follow in record-number order.
    // Keys are given without a null marker (one meaning "not null" is added
    // for nullable tags). Removing an entry that is absent is an error.
    virtual Status insert(std::string_view key, uint32_t recno) = 0;
    virtual Status remove(std::string_view key, uint32_t recno) = 0;

    // A cursor walks the tag's leaves in key order. It is invalidated by any
    // insert or remove (re-seek after a write); a stale cursor stays memory
    // safe but may show the old content. It must not outlive its index.
    class Cursor {
    public:
        virtual ~Cursor() = default;
        virtual Result<bool> first() = 0;  // false: the tag is empty
        virtual Result<bool> last() = 0;
        virtual Result<bool> next() = 0;  // false: walked off the end
        virtual Result<bool> prev() = 0;
        // Positions on the first entry whose key is >= `key` (compared over
        // the key length, `key` blank-padded for character tags). False: no
        // such entry (positioned after the last).
        virtual Result<bool> seek(std::string_view key) = 0;
        // Positions on the entry (key, recno) exactly. False when absent.
        virtual Result<bool> find(std::string_view key, uint32_t recno) = 0;
        virtual std::string_view key() const = 0;  // without a null marker
        virtual bool keyIsNull() const = 0;
        virtual uint32_t recno() const = 0;
    };
    virtual std::unique_ptr<Cursor> cursor() = 0;

    // Every (key, recno) in tag order; for checks and tools.
    virtual Result<std::vector<KeyEntry>> entries() = 0;
};

}  // namespace zentrix::xbase
