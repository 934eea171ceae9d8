#pragma once

// The registry keys of [RegKey<n>] sections: written by the install (each
// value line a string with its placeholder expanded, or an "integer:"
// number), removed with everything below them by the uninstall.
//
// Values that name a folder through a placeholder are written as native
// paths, since the engine appends file names to them directly; other texts
// are written as they stand.
//
// The uninstall never removes a key that would take other products' or the
// system's entries with it: a key of fewer than two names ("\Software"),
// or the shared-library or shell-folders keys or any key above them.

#include <string>

#include "setup/script_records.h"
#include "setup/setup_session.h"

namespace zentrix::setup {

class RegistryEntries {
public:
    explicit RegistryEntries(SetupSession& session) : session_(session) {}

    // Every [RegKey<n>] section of the script, written or removed. Gives
    // false when the script is broken (a count that is no number, a section
    // of fewer than two lines), which stops the flow.
    bool writeAll();
    bool removeAll();

    void write(const ScriptRegKey& key, int section);
    // Gives false when the key was refused (and names it in the status line).
    bool remove(const ScriptRegKey& key, int section);

    // Ok when the uninstall may remove the key with everything below it.
    static platform::Status checkRemovable(const std::string& keyPath);

private:
    bool forEachSection(void (RegistryEntries::*action)(const ScriptRegKey&, int));
    void removeSection(const ScriptRegKey& key, int section) { (void)remove(key, section); }

    SetupSession& session_;
};

}  // namespace zentrix::setup
