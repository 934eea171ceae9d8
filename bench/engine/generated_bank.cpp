#include "generated_bank.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/message_sink.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"
#include "xbase/forwarding_file_system.h"

namespace zentrix::bench {
namespace {

// Generated banks are scratch data: skipping the flush after every commit
// turns an hour of generation into minutes.
class NoSyncFile : public xbase::ForwardingFile {
public:
    using ForwardingFile::ForwardingFile;
    xbase::Status sync() override { return xbase::Status::ok(); }
};

class NoSyncFileSystem : public xbase::ForwardingFileSystem {
public:
    NoSyncFileSystem() : ForwardingFileSystem(xbase::FileSystem::posix()) {}

protected:
    std::unique_ptr<xbase::File> wrap(std::unique_ptr<xbase::File> file) override {
        return std::make_unique<NoSyncFile>(std::move(file));
    }
};

}  // namespace

std::string GeneratedBank(const std::string& parentFolder, int courses, int examsPerCourse) {
    namespace fs = std::filesystem;
    const std::string folder = parentFolder + "/bank-" + std::to_string(courses) + "x" +
                               std::to_string(examsPerCourse) + "/";
    const std::string doneMarker = folder + "complete";
    if (fs::exists(doneMarker)) return folder;
    // An interrupted generation resumes where it stopped.
    fs::create_directories(folder);

    xbase::Engine engine(std::make_shared<NoSyncFileSystem>());
    base::RecordingMessageSink sink;
    questionbank::TTesting bank(engine, folder, sink);
    if (!bank.IsValid()) return {};
    for (int c = 1; c <= courses; ++c) {
        const std::string course = "C" + std::to_string(c);
        if (!bank.ParentExists(course) &&
            bank.AddParent(course, "Course number " + std::to_string(c), "", "1:00", 20) != 0) {
            std::fprintf(stderr, "AddParent: %s\n", bank.LastError().c_str());
            return {};
        }
        for (int e = 1; e <= examsPerCourse; ++e) {
            const std::string exam = course + "E" + std::to_string(e);
            if (bank.TestExists(exam)) continue;
            if (bank.AddTest(exam, course, "", exam,
                             "Exam " + std::to_string(e) + " of course " + std::to_string(c)) !=
                0) {
                std::fprintf(stderr, "AddTest: %s\n", bank.LastError().c_str());
                return {};
            }
        }
    }
    std::ofstream(doneMarker) << "ok\n";
    return folder;
}

std::string GeneratedQuestionBank(const std::string& parentFolder, int exams, int questions,
                                  int choices, int textLength, int mixedQuestions) {
    namespace fs = std::filesystem;
    const std::string folder = parentFolder + "/questions-" + std::to_string(exams) + "x" +
                               std::to_string(questions) + "x" + std::to_string(choices) + "/";
    const std::string doneMarker = folder + "complete";
    if (fs::exists(doneMarker)) return folder;
    // Half-written questions cannot be resumed reliably: start afresh.
    fs::remove_all(folder);
    fs::create_directories(folder);

    xbase::Engine engine(std::make_shared<NoSyncFileSystem>());
    base::RecordingMessageSink sink;
    questionbank::TTesting bank(engine, folder, sink);
    if (!bank.IsValid()) return {};
    if (bank.AddParent("C1", "Course one", "", "1:30", mixedQuestions) != 0) return {};
    std::string text;
    while (static_cast<int>(text.size()) < textLength) {
        text += "A question text long enough to wrap over several lines of the question area. ";
    }
    text.resize(static_cast<size_t>(textLength));
    for (int e = 1; e <= exams; ++e) {
        const std::string exam = "C1E" + std::to_string(e);
        if (bank.AddTest(exam, "C1", "", exam, "Exam " + std::to_string(e)) != 0 ||
            bank.OpenTest(exam) != 0) {
            std::fprintf(stderr, "exam %s: %s\n", exam.c_str(), bank.LastError().c_str());
            return {};
        }
        for (int q = 1; q <= questions; ++q) {
            const int id = bank.AddTestQuestion(q, questionbank::kSingleChoice,
                                                "Question " + std::to_string(q), text, choices, "1",
                                                "", "", "", 0);
            if (id <= 0) {
                std::fprintf(stderr, "question %d: %s\n", q, bank.LastError().c_str());
                return {};
            }
            for (int c = 1; c <= choices; ++c) {
                if (bank.SetTestQuestionXtra(
                        id, c, "Choice " + std::to_string(c) + ", a sentence of ordinary length") !=
                    0)
                    return {};
            }
        }
        bank.CloseTest();
    }
    std::ofstream(doneMarker) << "ok\n";
    return folder;
}

}  // namespace zentrix::bench
