#pragma once

// One run of the setup program: the services it works with, the screen it
// shows and the state its flows share (the window's fields). The flows
// (startup, install, exam packages and update, uninstall) act on a session;
// the window and the unattended run each own one.

#include <memory>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "platform/platform.h"
#include "setup/disk_sync.h"
#include "setup/install_screen.h"
#include "setup/placeholders.h"
#include "setup/process_finder.h"
#include "setup/setup_dialogs.h"
#include "setup/setup_host.h"
#include "setup/setup_location.h"
#include "setup/setup_script.h"

namespace zentrix::xbase {
class Engine;
}
namespace zentrix::questionbank {
class TTesting;
}

namespace zentrix::setup {

// A setup-only group whose program runs after the install (RunBeforeExit).
struct DeferredRun {
    bool seen = false;
    std::string setupExe;
    std::string source;
};

struct SetupState {
    std::unique_ptr<SetupScript> script;
    ScriptMain main;           // [Main] of the script
    std::string setupDir;      // without trailing separator
    std::string currentDrive;  // empty: this platform has no drive letters
    std::string installDir;    // without trailing separator
    std::string windowsDir;
    std::string systemDir;
    std::string startMenuDir;
    bool isAdmin = false;
    bool confirmCancel = true;
    bool activated = false;
    DeferredRun deferredRun;
    bool startsNoProgram = false;  // the unattended --no-run
};

class SetupSession {
public:
    // The name of the xBase engine library that both programs load, beside
    // the setup program on the medium and beside the engine once installed.
    static const char* engineLibraryName();

    // Every reference must outlive the session.
    SetupSession(platform::Platform& platform, SetupDialogs& dialogs, SetupHost& host,
                 SetupLocation& location, std::vector<std::string> arguments);
    ~SetupSession();
    SetupSession(const SetupSession&) = delete;
    SetupSession& operator=(const SetupSession&) = delete;

    platform::Platform& platform;
    SetupDialogs& dialogs;
    SetupHost& host;
    SetupLocation& location;
    InstallScreen screen;
    SetupState state;

    // The command line without the program's own options.
    const std::vector<std::string>& arguments() const { return arguments_; }

    ProcessFinder& processFinder() { return *finder_; }
    void setProcessFinder(std::unique_ptr<ProcessFinder> finder) { finder_ = std::move(finder); }

    // ---- the screen ----------------------------------------------------------
    void refresh() { host.screenChanged(); }
    void setStatus(const std::string& text);

    // ---- the folders of a flow, taken anew at its start ------------------------
    // SetupDir and CurrentDrive.
    void takeSetupFolder();
    // SetupDir, CurrentDrive, InstallDir (from the install-folder box),
    // SystemDir and WindowsDir.
    void takeFolders();
    // StartMenuDir from the shell-folders key; when that cannot be read, says
    // "registry couldn't be opened" and gives false.
    bool takeStartMenuFolder();
    // The install-folder box as a folder: native, without trailing separator.
    std::string installFolderFromBox() const;
    PlaceholderFolders placeholders() const;

    // ---- script and paths ------------------------------------------------------
    platform::Status openScript(const std::string& path);
    SetupScript& script() { return *state.script; }
    // SetupDir followed by a script path relative to it ("\graphics\*.*").
    std::string mediumPath(const std::string& relative) const;
    // A script value with its placeholder expanded, as a native path.
    std::string expandedPath(const std::string& value) const;
    // A count of [Main]; a count that is not a number is reported and gives
    // nullopt, which stops the flow that reads it.
    std::optional<int> count(ScriptCount which);

    // ---- work --------------------------------------------------------------
    // A copy through the shell; a failure is reported and the flow goes on.
    // Whatever was written is remembered for the flush at the end.
    bool copy(const std::string& source, const std::string& target, bool filesOnly = false);
    // Replaces an installed file by a newer one: copied beside it first, then
    // renamed over it, so a program running from the old file keeps its copy
    // and nobody ever sees half a file. A failure is reported.
    bool replaceFile(const std::string& source, const std::string& target);
    // Gives every entry of the folder plain writable attributes (files copied
    // from a read-only medium); a missing folder is left alone.
    void clearFolderAttributes(const std::string& folder);
    void remember(const std::string& written) { written_.add(written); }
    // Flushes what the flow wrote, and the registry store, to disk.
    void flushWritten();
    // Reports a failed step through the dialogs (no-op for ok).
    void report(const platform::Status& status);
    // Starts a program through the shell's open action; a failure is reported.
    std::optional<platform::ProcessId> launchProgram(const std::string& file,
                                                     const std::string& folder);

    // ---- the question banks of the exam-package step --------------------------
    // One engine handle for both banks, made on first use and kept until the
    // session ends.
    xbase::Engine& bankEngine();
    base::MessageSink& bankMessages();
    std::unique_ptr<questionbank::TTesting> sourceBank;
    std::unique_ptr<questionbank::TTesting> installedBank;

private:
    std::vector<std::string> arguments_;
    std::unique_ptr<ProcessFinder> finder_;
    std::unique_ptr<xbase::Engine> engine_;
    std::unique_ptr<base::MessageSink> bankMessages_;
    DiskSync written_;
};

}  // namespace zentrix::setup
