#pragma once

// Just enough of a DBF reader to check index tags against the records of the
// reference tables: the field list and the raw records.

#include <optional>
#include <string>
#include <vector>

#include "xbase/field.h"

namespace zentrix::xbase::testing {

struct ReferenceTable {
    std::vector<FieldDescriptor> fields;
    std::vector<std::string> records;  // raw, deleted mark first; record n is records[n - 1]

    static std::optional<ReferenceTable> load(const std::string& path);
};

// The interop folder of the reference tables, or empty when it is absent.
std::string interopDir();
// `name` in `folder`, matched without regard to case; empty when absent.
std::string findFile(const std::string& folder, const std::string& name);

}  // namespace zentrix::xbase::testing
