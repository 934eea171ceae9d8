#include "generated_bank.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/message_sink.h"
#include "questionbank/ttesting.h"
#include "xbase/engine.h"

namespace zentrix::bench {
namespace {

// Generated banks are scratch data: skipping the flush after every commit
// turns an hour of generation into minutes.
class NoSyncFile : public xbase::File {
public:
    explicit NoSyncFile(std::unique_ptr<xbase::File> file) : file_(std::move(file)) {}
    xbase::Status readAt(uint64_t offset, void* buffer, size_t n) override {
        return file_->readAt(offset, buffer, n);
    }
    xbase::Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) override {
        return file_->readSomeAt(offset, buffer, n);
    }
    xbase::Status writeAt(uint64_t offset, const void* data, size_t n) override {
        return file_->writeAt(offset, data, n);
    }
    xbase::Result<uint64_t> size() override { return file_->size(); }
    xbase::Status truncate(uint64_t size) override { return file_->truncate(size); }
    xbase::Status sync() override { return xbase::Status::ok(); }
    xbase::Status lock(uint64_t offset, uint64_t length, bool exclusive) override {
        return file_->lock(offset, length, exclusive);
    }
    xbase::Status unlock(uint64_t offset, uint64_t length) override {
        return file_->unlock(offset, length);
    }
    const std::string& path() const override { return file_->path(); }

private:
    std::unique_ptr<xbase::File> file_;
};

class NoSyncFileSystem : public xbase::FileSystem {
public:
    xbase::Result<std::unique_ptr<xbase::File>> open(const std::string& path,
                                                     xbase::OpenMode mode) override {
        return wrap(posix_->open(path, mode));
    }
    xbase::Result<std::unique_ptr<xbase::File>> create(const std::string& path) override {
        return wrap(posix_->create(path));
    }
    bool exists(const std::string& path) override { return posix_->exists(path); }
    xbase::Status remove(const std::string& path) override { return posix_->remove(path); }
    xbase::Status rename(const std::string& from, const std::string& to) override {
        return posix_->rename(from, to);
    }
    std::optional<std::string> resolveCaseInsensitive(const std::string& path) override {
        return posix_->resolveCaseInsensitive(path);
    }

private:
    static xbase::Result<std::unique_ptr<xbase::File>> wrap(
        xbase::Result<std::unique_ptr<xbase::File>> file) {
        if (!file) return file.status();
        return std::unique_ptr<xbase::File>(std::make_unique<NoSyncFile>(std::move(file.value())));
    }
    std::shared_ptr<xbase::FileSystem> posix_ = xbase::FileSystem::posix();
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
    platform::RecordingMessageSink sink;
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
    platform::RecordingMessageSink sink;
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
