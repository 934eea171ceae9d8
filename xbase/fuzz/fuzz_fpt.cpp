// Feeds arbitrary bytes to the engine as a memo file behind a valid table
// whose records point at blocks 1 to 40 (inside the header, at the start of
// the data, and past it), then reads, rewrites and compresses the memos.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "memory_file_system.h"
#include "xbase/engine.h"
#include "xbase/table.h"

using namespace zentrix::xbase;

namespace {

std::string tableBytes() {
    // Built once with the engine itself on a scratch in-memory file system.
    static const std::string bytes = [] {
        auto fs = std::make_shared<fuzz::MemoryFileSystem>();
        Engine engine(fs);
        auto made = engine.create("m.dbf", {{"ID", 'N', 4, 0}, {"NOTE", 'M', 10, 0}}, {});
        Table& t = *made.value();
        for (int i = 1; i <= 40; ++i) {
            t.appendBlank();
            t.assignInt(t.field("ID"), i);
            t.commit();
        }
        made.value().reset();
        // Point record i's memo at block i.
        auto file = fs->open("m.dbf", OpenMode::ReadWrite);
        const int header = 32 + 2 * 32 + 2, record = 1 + 4 + 10;
        for (int i = 1; i <= 40; ++i) {
            char pointer[16];
            std::snprintf(pointer, sizeof pointer, "%10d", i);
            file.value()->writeAt(uint64_t(header + (i - 1) * record + 5), pointer, 10);
        }
        std::string out(size_t(file.value()->size().value()), '\0');
        file.value()->readAt(0, out.data(), out.size());
        return out;
    }();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto fs = std::make_shared<fuzz::MemoryFileSystem>();
    fs->put("t.dbf", tableBytes());
    fs->put("t.fpt", std::string(reinterpret_cast<const char*>(data), size));
    Engine engine(fs);
    auto opened = engine.open("t.dbf");
    if (!opened) return 0;
    Table& t = *opened.value();
    const Field* note = t.field("NOTE");
    for (bool on = t.top(); on; on = t.skip()) {
        t.memo(note);
        t.isByteMemo(note);
    }
    if (t.go(3)) {
        t.assignMemo(note, "changed");
        t.commit();
    }
    t.compressMemo();
    return 0;
}
