#include "history/history_record.h"

namespace zentrix::history {

namespace {

std::string padOrCut(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'a' && b <= 'z') {
            c = static_cast<char>(b - 0x20);
        } else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {  // à..þ, not ÷
            c = static_cast<char>(b - 0x20);
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) {  // š œ ž
            c = static_cast<char>(b - 0x10);
        } else if (b == 0xFF) {  // ÿ
            c = static_cast<char>(0x9F);
        }
    }
    return out;
}

std::string HistoryKey(std::string_view name, std::string_view course) {
    return padOrCut(UpperCase(name), kNameWidth) + padOrCut(UpperCase(course), kCourseWidth);
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
