#pragma once

// Read access to an exam's case-study table (one record per case study),
// opened by folder and name with its tag ID selected. A case is found by
// seeking its number's decimal text in that tag, whatever key expression the
// exam package gave it. The table is never written.

#include <array>
#include <memory>
#include <string>

#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::questionbank {

struct CaseStudy {
    static constexpr int kMaxTabs = 10;

    long number = 0;
    std::string courseId;                        // right-trimmed
    std::string title;                           // right-trimmed
    int tabCount = 0;                            // NOTABS, kept within 0..kMaxTabs
    std::array<std::string, kMaxTabs> tabNames;  // right-trimmed
    std::array<std::string, kMaxTabs> tabTexts;  // rich text of each tab
};

class CaseStudyTable {
public:
    CaseStudyTable() = default;
    ~CaseStudyTable();
    CaseStudyTable(const CaseStudyTable&) = delete;
    CaseStudyTable& operator=(const CaseStudyTable&) = delete;

    // `folder` ends with a separator; `name` without extension. Fails when the
    // table is missing, damaged, or lacks the tag ID.
    xbase::Status open(xbase::Engine& engine, const std::string& folder, const std::string& name);
    void close();
    bool isOpen() const { return table_ != nullptr; }

    // Seeks the case number's decimal text in tag ID.
    xbase::Result<CaseStudy> find(long caseNumber);

private:
    std::unique_ptr<xbase::Table> table_;
    std::string path_;
};

}  // namespace zentrix::questionbank
