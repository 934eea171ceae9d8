#pragma once

// Where a table's three files are. Names are matched without regard to case,
// so "ptest", "PTEST.DBF" and "Ptest.dbf" all find ptest.dbf, and the memo and
// index files beside it are found however their names are written.

#include <optional>
#include <string>

#include "xbase/file.h"

namespace zentrix::xbase {

struct TableFiles {
    std::string table;  // as on disk when it exists
    std::string memo;
    std::string index;
    bool tableExists = false;
    bool memoExists = false;
    bool indexExists = false;

    // ".dbf" is added to a name without extension; memo and index names take
    // the table's base name with ".fpt" and ".cdx" in the case of its extension.
    static TableFiles locate(FileSystem& fs, const std::string& path);
};

}  // namespace zentrix::xbase
