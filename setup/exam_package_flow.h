#pragma once

// The setup program started on an installed product: program files older
// than the medium's are updated (CheckForUpdates), the exams of the
// medium's courses that the installed bank lacks are added
// (InstallExamPackages), and the re-run check offers Close or starts the
// deferred program.

#include <string>

#include "setup/setup_session.h"

namespace zentrix::setup {

enum class InstallState { NotInstalled = 0, ExamsInstalled = 1, AlreadyInstalled = 2 };

class ExamPackageFlow {
public:
    explicit ExamPackageFlow(SetupSession& session) : session_(session) {}

    InstallState InstallExamPackages();
    // `exeName`: the main program's file name, without separators around it.
    void CheckForUpdates(const std::string& exeName);
    // Gives true when it started the deferred program (and posted the close).
    bool RerunCheck();

    // The medium's exam package bank, below the setup folder.
    static constexpr const char* kPackageBankFolder = "\\vire\\database\\";
    static constexpr const char* kPackageFolder = "\\vire\\";

private:
    bool openBanks();
    void updateFile(const std::string& source, const std::string& target);
    void updateMainProgram(const std::string& exeName);

    SetupSession& session_;
};

}  // namespace zentrix::setup
