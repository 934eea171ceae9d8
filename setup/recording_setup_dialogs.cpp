#include "setup/recording_setup_dialogs.h"

namespace zentrix::setup {

bool RecordingSetupDialogs::question(const std::string& text) {
    entries_.push_back({Event::Question, text});
    if (answers_.empty()) return defaultAnswer;
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::vector<std::string> RecordingSetupDialogs::texts(Event event) const {
    std::vector<std::string> result;
    for (const Entry& entry : entries_) {
        if (entry.event == event) result.push_back(entry.text);
    }
    return result;
}

std::vector<std::string> RecordingSetupDialogs::messages() const {
    std::vector<std::string> result;
    for (const Entry& entry : entries_) {
        if (entry.event != Event::Beep) result.push_back(entry.text);
    }
    return result;
}

}  // namespace zentrix::setup
