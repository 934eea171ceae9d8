// What the fuzz harnesses do with one input, shared with the regression test
// that replays the inputs kept in xbase/tests/data/fuzz.

#include "fuzz_targets.h"

#include <cstdio>
#include <cstdlib>

#include "memory_file_system.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::xbase::fuzz {

namespace {

// The seed table must be what it says; a step that fails here is a fault of
// the harness, not a find.
void must(const Status& status) {
    if (status) return;
    std::fprintf(stderr, "fuzz seed table: %s\n", status.message().c_str());
    std::abort();
}

std::string tableBytes() {
    // Built once with the engine itself on a scratch in-memory file system.
    static const std::string bytes = [] {
        auto fs = std::make_shared<fuzz::MemoryFileSystem>();
        Engine engine(fs);
        auto made = engine.create("m.dbf", {{"ID", 'N', 4, 0}, {"NOTE", 'M', 10, 0}}, {});
        must(made.status());
        Table& t = *made.value();
        for (int i = 1; i <= 40; ++i) {
            must(t.appendBlank());
            must(t.assignInt(t.field("ID"), i));
            must(t.commit());
        }
        made.value().reset();
        // Point record i's memo at block i.
        auto file = fs->open("m.dbf", OpenMode::ReadWrite);
        must(file.status());
        const int header = 32 + 2 * 32 + 2, record = 1 + 4 + 10;
        for (int i = 1; i <= 40; ++i) {
            char pointer[16];
            std::snprintf(pointer, sizeof pointer, "%10d", i);
            must(file.value()->writeAt(uint64_t(header + (i - 1) * record + 5), pointer, 10));
        }
        auto size = file.value()->size();
        must(size.status());
        std::string out(size_t(size.value()), '\0');
        must(file.value()->readAt(0, out.data(), out.size()));
        return out;
    }();
    return bytes;
}

}  // namespace

// Arbitrary bytes as a table file: open, walk, read every field and memo,
// write a record and pack. Nothing may crash or read out of bounds whatever
// the header claims.
void fuzzTable(const uint8_t* data, size_t size) {
    auto fs = std::make_shared<fuzz::MemoryFileSystem>();
    fs->put("t.dbf", std::string(reinterpret_cast<const char*>(data), size));
    // A small valid memo file, so memo pointers in the fuzzed records lead somewhere.
    std::string memo(640, '\0');
    memo[3] = 9;   // next free block 9
    memo[7] = 64;  // block size 64
    memo[512 + 3] = 1;
    memo[512 + 7] = 5;
    memo.replace(520, 5, "hello");
    fs->put("t.fpt", memo);
    Engine engine(fs);
    auto opened = engine.open("t.dbf");
    if (!opened) return;
    Table& t = *opened.value();
    int budget = 2000;
    for (bool on = t.top(); on && budget-- > 0; on = t.skip()) {
        for (int i = 0; i < t.fieldCount(); ++i) {
            const Field* f = t.fieldAt(i);
            t.text(f);
            t.memo(f);
            t.asLong(f);
            t.isByteMemo(f);
        }
        t.deleted();
    }
    if (t.bottom()) t.skip(-3);
    // What the writes answer is not the point: on fuzzed bytes most of them
    // are refused. Only that nothing crashes or strays out of bounds is.
    if (t.appendBlank().isOk() && t.fieldCount() > 0) {
        (void)t.assign(t.fieldAt(0), "fuzz");
        (void)t.commit();
        t.go(1);
        (void)t.markDeleted();
        (void)t.pack();
    }
    return;
}

// Arbitrary bytes as the memo file behind a valid table whose records point
// at blocks 1 to 40 (inside the header, at the start of the data, and past
// it); the memos are read, one is rewritten, and the file is compressed.
void fuzzMemo(const uint8_t* data, size_t size) {
    auto fs = std::make_shared<fuzz::MemoryFileSystem>();
    fs->put("t.dbf", tableBytes());
    fs->put("t.fpt", std::string(reinterpret_cast<const char*>(data), size));
    Engine engine(fs);
    auto opened = engine.open("t.dbf");
    if (!opened) return;
    Table& t = *opened.value();
    const Field* note = t.field("NOTE");
    for (bool on = t.top(); on; on = t.skip()) {
        t.memo(note);
        t.isByteMemo(note);
    }
    // As above: the outcomes of the writes are not the point, only that
    // nothing crashes.
    if (t.go(3)) {
        (void)t.assignMemo(note, "changed");
        (void)t.commit();
    }
    (void)t.compressMemo();
    return;
}

}  // namespace zentrix::xbase::fuzz
