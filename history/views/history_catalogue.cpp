#include "history/views/history_catalogue.h"

#include "base/ascii_text.h"
#include "questionbank/ttesting.h"

namespace zentrix::history::views {
namespace {

std::string TrimRight(std::string_view text) {
    return base::ascii::trimmedRight(text, base::ascii::kBlank);
}

}  // namespace

int TTestingHistoryCatalogue::CourseCount() { return testing_.GetParentIdCount(); }
std::string TTestingHistoryCatalogue::CourseId(int i) { return TrimRight(testing_.GetParentId(i)); }
std::string TTestingHistoryCatalogue::CourseTitle(const std::string& courseId) {
    return TrimRight(testing_.GetParentTitle(courseId));
}
std::string TTestingHistoryCatalogue::ExamTitle(const std::string& testId) {
    return TrimRight(testing_.GetGTest_Title(testId));
}

}  // namespace zentrix::history::views
