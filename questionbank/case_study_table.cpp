#include "questionbank/case_study_table.h"

#include <algorithm>

#include "base/ascii_text.h"
#include "questionbank/bank_path.h"

namespace zentrix::questionbank {

CaseStudyTable::~CaseStudyTable() { close(); }

xbase::Status CaseStudyTable::open(xbase::Engine& engine, const std::string& folder,
                                   const std::string& name) {
    close();
    path_ = BankPath::asFolder(folder) + name;
    xbase::Result<std::unique_ptr<xbase::Table>> opened =
        engine.open(path_, xbase::OpenMode::ReadOnly);
    if (!opened) return opened.status().withContext(path_);
    std::unique_ptr<xbase::Table> table = std::move(opened).value();
    const xbase::Tag* idTag = table->tag("ID");
    if (!idTag) return xbase::Status::error(path_ + ": case-study table has no tag ID");
    xbase::Status selected = table->selectTag(idTag);
    if (!selected) return selected.withContext(path_);
    table_ = std::move(table);
    return xbase::Status::ok();
}

void CaseStudyTable::close() { table_.reset(); }

xbase::Result<CaseStudy> CaseStudyTable::find(long caseNumber) {
    if (!table_) return xbase::Status::error("no case-study table is open");
    if (!table_->seek(std::to_string(caseNumber))) {
        return xbase::Status::error(path_ + ": no case study " + std::to_string(caseNumber));
    }
    CaseStudy study;
    study.number = caseNumber;
    study.courseId =
        base::ascii::trimmedRight(table_->text(table_->field("COURSEID")), base::ascii::kBlank);
    study.title =
        base::ascii::trimmedRight(table_->text(table_->field("TITLE")), base::ascii::kBlank);
    study.tabCount =
        std::clamp<long>(table_->asLong(table_->field("NOTABS")), 0, CaseStudy::kMaxTabs);
    for (int i = 0; i < CaseStudy::kMaxTabs; ++i) {
        const std::string tab = "TAB" + std::to_string(i + 1);
        study.tabNames[i] =
            base::ascii::trimmedRight(table_->text(table_->field(tab)), base::ascii::kBlank);
        study.tabTexts[i] = table_->memo(table_->field(tab + "MEMO"));
    }
    return study;
}

}  // namespace zentrix::questionbank
