#pragma once

// The setup program's own texts: titles, status lines and messages, word for
// word as users and their documentation know them.

namespace zentrix::setup::texts {

inline constexpr const char* kApplicationTitle = "Brenlo Install Program";
inline constexpr const char* kInstallCaptionSuffix = " Install";
inline constexpr const char* kUninstallCaptionSuffix = " UnInstall";
inline constexpr const char* kWelcomePrefix = "Welcome to Brenlo's ";
inline constexpr const char* kUninstallTitlePrefix = "Brenlo's Uninstall program for ";
inline constexpr const char* kVersionInfix = ". Version ";

// Controls.
inline constexpr const char* kInstallTo = "Install To:";
inline constexpr const char* kChangeDirectory = "Change Directory";
inline constexpr const char* kInstall = "Install";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kStopWaiting = "Stop waiting";

// Status lines and headings.
inline constexpr const char* kMakingRegistryEntries = "Making Registry Entries";
inline constexpr const char* kCheckingForInstalledExams = "Checking for installed exams...";
inline constexpr const char* kCopyingNewExams = "Copying new exams...";
inline constexpr const char* kAllExamsInstalled = "All exams have been installed.";
inline constexpr const char* kCheckingForUpdates = "Checking for Updates...";
inline constexpr const char* kUninstalling = "Uninstalling the program....";
inline constexpr const char* kUninstallCompleted = "Uninstall has been completed.";

// Messages.
inline constexpr const char* kCompleted = "Completed the installation.";
inline constexpr const char* kAbortQuestion = "Abort this installation?";
inline constexpr const char* kRegistryNotOpened = "registry couldn't be opened";
inline constexpr const char* kInstallNeedsAdmin =
    "To install this program requires Administrator priviledges, which you do not have.";
inline constexpr const char* kUninstallNeedsAdmin =
    "To properly uninstall this program, requires Administrator priviledges, which you do not "
    "have.";
inline constexpr const char* kAlreadyInstalledSuffix = " is already installed";
inline constexpr const char* kNothingToUninstall = "Could not find program files to uninstall.";
inline constexpr const char* kUninstallQuestionPrefix = "Are you sure about deleting the ";
inline constexpr const char* kUninstallQuestionSuffix = " program?";
inline constexpr const char* kProcAddressPrefix = "Error Getting ProcAddress ";
inline constexpr const char* kRegisterFailedSuffix = " registered failed";
inline constexpr const char* kUnregisterFailedSuffix = " Unregister failed";

// Messages of our own, where the flows needed one.
inline constexpr const char* kNoInstallFolder = "Please enter the folder to install to.";
inline constexpr const char* kRelativeInstallFolder =
    "Please enter the full path of the folder to install to.";

}  // namespace zentrix::setup::texts
