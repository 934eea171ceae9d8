#pragma once

// A history store in a scratch folder with a fixed clock, a catalogue of
// three courses in memory, and helpers that record attempts the way the
// main window does.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <memory>

#include "base/message_sink.h"
#include "history/tthistory.h"
#include "history/views/history_catalogue.h"
#include "questionbank/bank_records.h"
#include "report_test_support.h"
#include "xbase/engine.h"

namespace zentrix::history::views::testing {

class FakeCatalogue : public HistoryCatalogue {
public:
    std::vector<std::pair<std::string, std::string>> courses;  // id, title
    std::map<std::string, std::string> exams;                  // id, title
    int CourseCount() override { return static_cast<int>(courses.size()); }
    std::string CourseId(int i) override {
        return i >= 1 && i <= CourseCount() ? courses[i - 1].first : std::string();
    }
    std::string CourseTitle(const std::string& id) override {
        for (const auto& c : courses) {
            if (c.first == id) return c.second;
        }
        return {};
    }
    std::string ExamTitle(const std::string& id) override {
        const auto found = exams.find(id);
        return found == exams.end() ? std::string() : found->second;
    }
};

class HistoryViewsTest : public ::testing::Test {
protected:
    HistoryViewsTest();

    // One attempt: started at `start` seconds of `day` (a day number), lasting
    // `seconds`.
    void attempt(const std::string& name, const std::string& course, int kind,
                 const std::string& exam, int taken, int right, int tried, int32_t day = 46000,
                 int start = 36000, int seconds = 300);
    std::vector<questionbank::QVSimListInfo> treeRows() const;

    QTemporaryDir scratch;
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    std::shared_ptr<FixedClock> clock;
    std::unique_ptr<TTHistory> store;
    FakeCatalogue catalogue;
    report::testing::ScriptedDialogs dialogs;
};

}  // namespace zentrix::history::views::testing
