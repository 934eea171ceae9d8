#pragma once

// Where the case-study window finds a case: the open exam's case-study table
// (TTesting opens and closes it with the exam), or a stand-in in tests.

#include <optional>

#include "questionbank/case_study_table.h"

namespace zentrix::engine::aids {

class CaseStudySource {
public:
    virtual ~CaseStudySource() = default;
    // The case with that number, or nothing when no table is open, the case
    // is not in it or its record cannot be read.
    virtual std::optional<questionbank::CaseStudy> FindCase(long number) = 0;
};

// The case-study table itself; it must outlive this object.
class CaseStudyTableSource : public CaseStudySource {
public:
    explicit CaseStudyTableSource(questionbank::CaseStudyTable& table) : table_(table) {}
    std::optional<questionbank::CaseStudy> FindCase(long number) override;

private:
    questionbank::CaseStudyTable& table_;
};

}  // namespace zentrix::engine::aids
