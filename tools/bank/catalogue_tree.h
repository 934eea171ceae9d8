#pragma once

// The catalogue rows of a bank as the engine lists them, collected through
// TTesting's listing events, and printed as text or as a JSON array whose
// members are the event's arguments by name.

#include <string>
#include <vector>

#include "questionbank/bank_records.h"
#include "questionbank/ttesting.h"

namespace zentrix::banktool {

class CatalogueTree {
public:
    static std::vector<questionbank::QVSimListInfo> collect(questionbank::TTesting& bank,
                                                            bool mixedRows, bool questionRows);
    static std::string asText(const std::vector<questionbank::QVSimListInfo>& rows);
    static std::string asJson(const std::vector<questionbank::QVSimListInfo>& rows);
    // Texts are 8-bit Windows code-page text; JSON wants UTF-8.
    static std::string jsonString(const std::string& text);
};

}  // namespace zentrix::banktool
