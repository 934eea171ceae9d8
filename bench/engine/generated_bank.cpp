#include "generated_bank.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/message_sink.h"
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

}  // namespace zentrix::bench
