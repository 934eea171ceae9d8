#pragma once

// The twelve background pictures of the skin by screen key, with their
// default file names. A skin may replace any file name; names are kept to
// at most 60 characters.

#include <array>
#include <optional>
#include <string>

#include "engine/screen_id.h"

namespace zentrix::engine {

struct BackgroundEntry {
    std::string key;
    std::string fileName;
};

class BackgroundTable {
public:
    static constexpr int kEntryCount = 12;
    static constexpr size_t kMaxFileNameLength = 60;
    static constexpr int kScorePopupEntry = 11;  // index of "RptPopUp"

    BackgroundTable();

    const BackgroundEntry& entry(int index) const { return entries_.at(index); }
    void setFileName(int index, const std::string& fileName);
    // The background of a screen; nullopt for ScreenId::None.
    std::optional<std::string> fileNameFor(ScreenId screen) const;

private:
    std::array<BackgroundEntry, kEntryCount> entries_;
};

}  // namespace zentrix::engine
