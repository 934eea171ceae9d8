#include "tools/bank/catalogue_tree.h"

#include <cstdio>
#include <sstream>

#include "base/windows1252.h"

namespace zentrix::banktool {

using questionbank::QVSimListInfo;

namespace {

void addRow(void* context, const std::string& courseId, const std::string& testId,
            const std::string& title, unsigned char kind, unsigned char pPS, unsigned char gPS,
            unsigned char qPS, int questionNo, int rowIndex) {
    auto* rows = static_cast<std::vector<QVSimListInfo>*>(context);
    rows->push_back({courseId, testId, title, kind, pPS, gPS, qPS, questionNo, rowIndex});
}

const char* kindName(unsigned char kind, const std::string& courseId) {
    switch (kind) {
        case questionbank::kCourseRow:
            return courseId.empty() ? "" : "course";
        case questionbank::kExamRow:
            return "exam";
        case questionbank::kQuestionRow:
            return "question";
        case questionbank::kMixedRow:
            return "mixed";
        default:
            return "?";
    }
}

}  // namespace

std::vector<QVSimListInfo> CatalogueTree::collect(questionbank::TTesting& bank, bool mixedRows,
                                                  bool questionRows) {
    std::vector<QVSimListInfo> rows;
    bank.OnSelectItem = {&addRow, &rows};
    bank.ListQVSelectTitles(mixedRows, questionRows);
    bank.OnSelectItem.reset();
    return rows;
}

std::string CatalogueTree::asText(const std::vector<QVSimListInfo>& rows) {
    std::ostringstream out;
    out << " row  p g q  kind      title\n";
    for (const QVSimListInfo& row : rows) {
        const int level = row.NodeKind == questionbank::kCourseRow     ? 0
                          : row.NodeKind == questionbank::kQuestionRow ? 2
                                                                       : 1;
        char head[64];
        std::snprintf(head, sizeof head, "%4d  %d %d %d  %-8s  ", row.RowIndex, row.pPS, row.gPS,
                      row.qPS, kindName(row.NodeKind, row.CourseId));
        std::string line = head + std::string(static_cast<size_t>(level) * 2, ' ') + row.Title;
        if (row.NodeKind == questionbank::kCourseRow && !row.CourseId.empty())
            line += "  [" + row.CourseId + "]";
        if (row.NodeKind == questionbank::kExamRow) line += "  [" + row.TestId + "]";
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << "\n";
    }
    return out.str();
}

std::string CatalogueTree::jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0)) {
            const unsigned code = base::windows1252CodePoint(u);
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", code);
            out += escape;
        } else if (u >= 0xA0) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}

std::string CatalogueTree::asJson(const std::vector<QVSimListInfo>& rows) {
    std::ostringstream out;
    out << "[";
    for (size_t i = 0; i < rows.size(); ++i) {
        const QVSimListInfo& r = rows[i];
        out << (i ? ",\n " : "\n ") << "{\"CourseId\": " << jsonString(r.CourseId)
            << ", \"TestId\": " << jsonString(r.TestId) << ", \"Title\": " << jsonString(r.Title)
            << ", \"NodeKind\": " << int(r.NodeKind) << ", \"pPS\": " << int(r.pPS)
            << ", \"gPS\": " << int(r.gPS) << ", \"qPS\": " << int(r.qPS)
            << ", \"QuestionNo\": " << r.QuestionNo << ", \"RowIndex\": " << r.RowIndex << "}";
    }
    out << (rows.empty() ? "]\n" : "\n]\n");
    return out.str();
}

}  // namespace zentrix::banktool
