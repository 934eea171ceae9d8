#pragma once

// Paths inside a question bank. Bank folders and names come from tables
// written on Windows: separators may be backslashes and names may differ in
// case from the files on disk. These helpers turn them into paths that work
// here, and keep names taken from tables inside the folder they belong to.

#include <optional>
#include <string>

#include "xbase/status.h"

namespace zentrix::questionbank {

class BankPath {
public:
    // `folder` with a trailing '/', backslashes turned into '/'.
    static std::string asFolder(std::string folder);

    // Checks that `name` (from a table or a source file) is a plain file name
    // or a relative path that stays inside its folder: no "..", no absolute
    // path, no drive letter, nothing empty. Gives the name with '/' separators.
    static xbase::Result<std::string> checkedRelative(const std::string& name);

    // Checks an exam's folder (PATH: empty, or a folder inside the bank) and
    // table name (TABLENAME: a plain file name) as the exam table holds them.
    // Anything that would lead outside the bank is refused: such a record may
    // come from a damaged or hostile table, and the exam's tables and files
    // are written there.
    static xbase::Status checkExamLocation(const std::string& path, const std::string& tableName);

    // folder + relative, each component after the folder matched without
    // regard to case against what exists on disk (components that do not
    // exist are kept as written).
    static std::string resolve(const std::string& folder, const std::string& relative);
    // The same for a table given by its base name ("net/NET101A"): only the
    // folders are matched; the xBase engine matches the table's files (which
    // carry extensions) itself. Matching the base name would read the whole
    // folder for a name that never exists on disk.
    static std::string resolveTable(const std::string& folder, const std::string& relative);

    // The path of an existing file whose name matches without regard to case.
    static std::optional<std::string> findFile(const std::string& folder,
                                               const std::string& relative);
};

}  // namespace zentrix::questionbank
