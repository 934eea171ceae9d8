#pragma once

// The install proper (the Install button): the uninstaller and its script
// into the Windows folder, the engine library, the file groups and the
// programs started from the medium, the libraries with their shared counts
// and registration, initialization-file entries, Start Menu shortcuts and
// registry entries; then everything written is flushed to disk, the
// completion message shown, the deferred program started, and the window
// closes.

#include "setup/setup_session.h"

namespace zentrix::setup {

class InstallFlow {
public:
    explicit InstallFlow(SetupSession& session) : session_(session) {}

    // Gives false when the install did not start (no usable install folder;
    // the panel stays) or stopped on a script error.
    bool run();

private:
    void copyUninstaller();
    bool runGroups();
    void runSetupProgram(const ScriptGroup& group);
    bool installLibraries();
    bool writeIniEntries();
    bool makeShortcuts();
    bool writeRegistryEntries();

    SetupSession& session_;
};

}  // namespace zentrix::setup
