#pragma once

// Record layout of an exam's case-study table (<TABLENAME>c.DBF beside the
// exam's question table): one record per case study, up to ten tabs of rich
// text each, found through the tag ID on the case number's decimal text.

#include <string>
#include <vector>

#include "xbase/field.h"

namespace zentrix::demo::case_layout {

inline constexpr int kMaxTabs = 10;
inline constexpr int kCourseIdWidth = 15;
inline constexpr int kTitleWidth = 30;
inline constexpr int kTabNameWidth = 15;
inline constexpr int kNumberWidth = 6;  // RECID: up to 999999 case studies

inline std::string tabNameField(int tab) { return "TAB" + std::to_string(tab); }
inline std::string tabTextField(int tab) { return "TAB" + std::to_string(tab) + "MEMO"; }

inline std::vector<xbase::FieldSpec> fields() {
    std::vector<xbase::FieldSpec> f = {{"RECID", 'N', kNumberWidth, 0},
                                       {"COURSEID", 'C', kCourseIdWidth, 0},
                                       {"TITLE", 'C', kTitleWidth, 0},
                                       {"NOTABS", 'N', 2, 0}};
    for (int tab = 1; tab <= kMaxTabs; ++tab)
        f.push_back({tabNameField(tab), 'C', kTabNameWidth, 0});
    for (int tab = 1; tab <= kMaxTabs; ++tab) f.push_back({tabTextField(tab), 'M', 10, 0});
    return f;
}

inline std::vector<xbase::TagSpec> tags() {
    return {{"ID", "ALLTRIM(STR(RECID))", ".NOT. DELETED()"}};
}

}  // namespace zentrix::demo::case_layout
