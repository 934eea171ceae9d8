#pragma once

// SetupDialogs that record what would have been shown and answer questions
// from a script, for tests: no flow ever waits on a box.

#include <deque>
#include <string>
#include <vector>

#include "setup/setup_dialogs.h"

namespace zentrix::setup {

class RecordingSetupDialogs : public SetupDialogs {
public:
    enum class Event { Beep, Information, Error, Question };
    struct Entry {
        Event event;
        std::string text;
    };

    void beep() override { entries_.push_back({Event::Beep, {}}); }
    void information(const std::string& text) override {
        entries_.push_back({Event::Information, text});
    }
    void error(const std::string& text) override { entries_.push_back({Event::Error, text}); }
    // The next scripted answer, else `defaultAnswer`.
    bool question(const std::string& text) override;

    void answerNextQuestion(bool yes) { answers_.push_back(yes); }
    bool defaultAnswer = true;

    const std::vector<Entry>& entries() const { return entries_; }
    std::vector<std::string> texts(Event event) const;
    // Every message and question text in order, beeps left out.
    std::vector<std::string> messages() const;
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
    std::deque<bool> answers_;
};

}  // namespace zentrix::setup
