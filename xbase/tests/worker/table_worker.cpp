// A second process for the concurrency test: appends records and updates
// its own earlier ones in a table that another process writes at the same time.
//
//   xbase_table_worker TABLE WORKER COUNT
//
// Record i of worker w gets ID "w-i", NUM 0 and a memo "memo w-i"; every
// third append also bumps NUM of the worker's record i/2 under a lock.
// Exit status 0 when every write succeeded.

#include <cstdio>
#include <string>

#include "xbase/engine.h"
#include "xbase/table.h"

using namespace zentrix::xbase;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s TABLE WORKER COUNT\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1], worker = argv[2];
    const int count = std::stoi(argv[3]);
    Engine engine;
    auto opened = engine.open(path);
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.message().c_str());
        return 1;
    }
    Table& t = *opened.value();
    if (auto s = t.selectTag(t.tag("ID")); !s) {
        std::fprintf(stderr, "%s\n", s.message().c_str());
        return 1;
    }
    auto fail = [&](const Status& s) {
        std::fprintf(stderr, "worker %s: %s\n", worker.c_str(), s.message().c_str());
        return 1;
    };
    for (int i = 1; i <= count; ++i) {
        const std::string id = worker + "-" + std::to_string(i);
        if (auto s = t.appendBlank(); !s) return fail(s);
        if (auto s = t.assign(t.field("ID"), id); !s) return fail(s);
        if (auto s = t.assignInt(t.field("NUM"), 0); !s) return fail(s);
        if (auto s = t.assignMemo(t.field("NOTE"), "memo " + id); !s) return fail(s);
        if (auto s = t.commit(); !s) return fail(s);
        if (i % 3 == 0) {
            // Read-modify-write of an earlier record: the lock keeps the other
            // process from committing between the read and the write.
            TableLock lock(t);
            if (!lock.status()) return fail(lock.status());
            const std::string target = worker + "-" + std::to_string(i / 2);
            if (!t.seek(target)) return fail(Status::error("lost " + target));
            if (auto s = t.refresh(); !s) return fail(s);
            if (auto s = t.assignInt(t.field("NUM"), t.asInt(t.field("NUM")) + 1); !s)
                return fail(s);
            if (auto s = t.commit(); !s) return fail(s);
        }
    }
    return 0;
}
