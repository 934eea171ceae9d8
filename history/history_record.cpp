#include "history/history_record.h"

#include "base/windows1252.h"

namespace zentrix::history {

namespace {

std::string padOrCut(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

std::string HistoryKey(std::string_view name, std::string_view course) {
    return padOrCut(base::windows1252Upper(name), kNameWidth) +
           padOrCut(base::windows1252Upper(course), kCourseWidth);
}

const std::vector<xbase::FieldSpec>& HistoryFields() {
    static const std::vector<xbase::FieldSpec> fields = [] {
        std::vector<xbase::FieldSpec> f = {
            {"ID", 'N', 9, 0},
            {"KeyID", 'C', 50, 0},
            {"Name", 'C', static_cast<int>(kNameWidth), 0},
            {"CourseID", 'C', static_cast<int>(kCourseWidth), 0},
        };
        for (int n = 1; n <= kHistorySlots; ++n) {
            const std::string s = "_" + std::to_string(n);
            f.push_back({"QType" + s, 'N', 2, 0});
            f.push_back({"DATE" + s, 'N', 8, 0});
            f.push_back({"TIMESTR" + s, 'N', 8, 0});
            f.push_back({"TIMEEND" + s, 'N', 8, 0});
            f.push_back({"QTAKEN" + s, 'N', 4, 0});
            f.push_back({"QRIGHT" + s, 'N', 4, 0});
            f.push_back({"QTried" + s, 'N', 4, 0});
            f.push_back({"TestID" + s, 'C', static_cast<int>(kTestIdWidth), 0});
        }
        return f;
    }();
    return fields;
}

const std::vector<xbase::TagSpec>& HistoryTags() {
    static const std::vector<xbase::TagSpec> tags = {
        {"ID", "ID", ".NOT. DELETED()"},
        {"KeyID", "KeyID", ".NOT. DELETED()"},
        {"NameID", "Name", ".NOT. DELETED()"},
        {"CourseID", "CourseID", ".NOT. DELETED()"},
    };
    return tags;
}

}  // namespace zentrix::history
