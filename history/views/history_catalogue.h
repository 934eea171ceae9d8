#pragma once

// What the history views read from the question bank: the courses, their
// titles and the titles of exams. TTestingHistoryCatalogue serves it from
// the main window's TTesting.

#include <string>

namespace zentrix::questionbank {
class TTesting;
}

namespace zentrix::history::views {

class HistoryCatalogue {
public:
    virtual ~HistoryCatalogue() = default;
    virtual int CourseCount() = 0;
    virtual std::string CourseId(int i) = 0;  // 1-based
    virtual std::string CourseTitle(const std::string& courseId) = 0;
    virtual std::string ExamTitle(const std::string& testId) = 0;
};

class TTestingHistoryCatalogue final : public HistoryCatalogue {
public:
    explicit TTestingHistoryCatalogue(questionbank::TTesting& testing) : testing_(testing) {}
    int CourseCount() override;
    std::string CourseId(int i) override;
    std::string CourseTitle(const std::string& courseId) override;
    std::string ExamTitle(const std::string& testId) override;

private:
    questionbank::TTesting& testing_;
};

}  // namespace zentrix::history::views
