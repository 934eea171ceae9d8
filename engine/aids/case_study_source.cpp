#include "engine/aids/case_study_source.h"

namespace zentrix::engine::aids {

std::optional<questionbank::CaseStudy> CaseStudyTableSource::FindCase(long number) {
    if (!table_.isOpen()) return std::nullopt;
    auto found = table_.find(number);
    if (!found.isOk()) return std::nullopt;
    return std::move(found).value();
}

}  // namespace zentrix::engine::aids
