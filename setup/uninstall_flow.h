#pragma once

// The uninstall (the setup program copied into the Windows folder, started
// with "-u" and the uninstall script's name): after one confirmation it
// moves the file groups' folders to the trash, counts down, unregisters and
// deletes the libraries, removes the registry keys and the shortcuts. What
// the install wrote into other initialization files, the shortcut folders,
// the uninstaller and its script stay. Nothing is removed that lies outside
// the product's folders or that the platform's deletion guard refuses; such
// a group is skipped and named in the status line.

#include "setup/setup_session.h"

namespace zentrix::setup {

class UninstallFlow {
public:
    explicit UninstallFlow(SetupSession& session) : session_(session) {}

    // Gives true when the uninstall ran to its end.
    bool RunUninstall();

    // "Brenlo's Uninstall program for <name>." with ". Version <v>".
    static std::string titleText(const std::string& programName, const std::string& version);

private:
    bool removeGroups();
    bool removeLibraries();
    bool removeRegistryKeys();
    void removeShortcuts();
    void stop();

    SetupSession& session_;
};

}  // namespace zentrix::setup
