#pragma once

// Where the setup program stands: the setup folder (the distribution files
// and install.ini) and the process's current folder, which a library's
// ChangeDir moves. Behind an interface so that tests never move the test
// process's own current folder.

#include <string>

#include "platform/status.h"

namespace zentrix::setup {

class SetupLocation {
public:
    virtual ~SetupLocation() = default;
    virtual std::string setupFolder() = 0;
    virtual std::string currentFolder() = 0;
    virtual platform::Status changeCurrentFolder(const std::string& folder) = 0;
};

// The running program: the setup folder is the folder the setup program lies
// in, so that it finds its medium wherever it was started from; the current
// folder is the process's.
class ProgramSetupLocation : public SetupLocation {
public:
    explicit ProgramSetupLocation(std::string programFolder)
        : programFolder_(std::move(programFolder)) {}
    std::string setupFolder() override { return programFolder_; }
    std::string currentFolder() override;
    platform::Status changeCurrentFolder(const std::string& folder) override;

private:
    std::string programFolder_;
};

// A fixed setup folder and a current folder that is only recorded.
class FixedSetupLocation : public SetupLocation {
public:
    explicit FixedSetupLocation(std::string setupFolder)
        : setupFolder_(setupFolder), current_(std::move(setupFolder)) {}
    std::string setupFolder() override { return setupFolder_; }
    std::string currentFolder() override { return current_; }
    platform::Status changeCurrentFolder(const std::string& folder) override;

private:
    std::string setupFolder_;
    std::string current_;
};

}  // namespace zentrix::setup
