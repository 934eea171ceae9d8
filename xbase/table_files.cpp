#include "xbase/table_files.h"

#include <cctype>

#include "base/ascii_text.h"

namespace zentrix::xbase {
namespace {

bool isUpper(const std::string& s) {
    bool any = false;
    for (char c : s) {
        if (base::ascii::isLower(c)) return false;
        if (base::ascii::isUpper(c)) any = true;
    }
    return any;
}

}  // namespace

TableFiles TableFiles::locate(FileSystem& fs, const std::string& path) {
    TableFiles files;
    std::string table = path;
    const auto slash = table.find_last_of('/');
    const auto dot = table.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension) table += ".dbf";
    if (auto found = fs.resolveCaseInsensitive(table)) {
        table = *found;
        files.tableExists = true;
    }
    const auto base = table.substr(0, table.find_last_of('.'));
    const bool upperExt = isUpper(table.substr(table.find_last_of('.') + 1));
    files.table = table;
    files.memo = base + (upperExt ? ".FPT" : ".fpt");
    files.index = base + (upperExt ? ".CDX" : ".cdx");
    if (auto found = fs.resolveCaseInsensitive(files.memo)) {
        files.memo = *found;
        files.memoExists = true;
    }
    if (auto found = fs.resolveCaseInsensitive(files.index)) {
        files.index = *found;
        files.indexExists = true;
    }
    return files;
}

}  // namespace zentrix::xbase
