#pragma once

// The study-guide options and the settings file that keeps them, section
// "StudyGuide" of an INI file beside the program.

#include <string>

namespace zentrix::platform {
class ProfileStore;
}

namespace zentrix::engine {

struct StudyGuideSettings {
    static constexpr int kListChoices = 3;   // incorrect, correct, all answers
    static constexpr int kAfterChoices = 4;  // never, if incorrect, if correct, after all
    int ListStudyGuide = 0;
    int SG_AfterQues = 0;
};

class StudyGuideSettingsFile {
public:
    static constexpr const char* kSection = "StudyGuide";

    StudyGuideSettingsFile(platform::ProfileStore& profiles, std::string path);

    // The program's path with its extension (if any) replaced by ".INI". When
    // the program's folder cannot be written and the file is not there yet,
    // the file lives in `fallbackFolder` (which ends with a separator).
    static std::string PathForProgram(const std::string& programPath,
                                      const std::string& fallbackFolder);

    const std::string& path() const { return path_; }
    bool exists() const;

    // Reads both keys (missing or out-of-range values give 0). A missing file
    // is created with the values passed in; a failed write goes unreported.
    StudyGuideSettings readOrCreate(const StudyGuideSettings& current);

    // Writes both keys, but only into an existing file. False when nothing
    // was written.
    bool saveIfExists(const StudyGuideSettings& settings);

private:
    bool write(const StudyGuideSettings& settings);

    platform::ProfileStore& profiles_;
    std::string path_;
};

}  // namespace zentrix::engine
