// Feeds arbitrary bytes to the engine as a table file: open, walk, read
// every field and memo, write a record and pack. Nothing may crash or read
// out of bounds whatever the header claims.

#include <cstddef>
#include <cstdint>

#include "memory_file_system.h"
#include "xbase/engine.h"
#include "xbase/table.h"

using namespace zentrix::xbase;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto fs = std::make_shared<fuzz::MemoryFileSystem>();
    fs->put("t.dbf", std::string(reinterpret_cast<const char*>(data), size));
    // A small valid memo file, so memo pointers in the fuzzed records lead somewhere.
    std::string memo(640, '\0');
    memo[3] = 9;    // next free block 9
    memo[7] = 64;   // block size 64
    memo[512 + 3] = 1;
    memo[512 + 7] = 5;
    memo.replace(520, 5, "hello");
    fs->put("t.fpt", memo);
    Engine engine(fs);
    auto opened = engine.open("t.dbf");
    if (!opened) return 0;
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
    if (t.appendBlank().isOk() && t.fieldCount() > 0) {
        t.assign(t.fieldAt(0), "fuzz");
        t.commit();
        t.go(1);
        t.markDeleted();
        t.pack();
    }
    return 0;
}
