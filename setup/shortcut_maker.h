#pragma once

// Start Menu shortcuts of [Link<n>] sections: every folder level of the
// link's folder is created below the Start Menu folder, then the shortcut is
// saved (a desktop entry on Linux). Folder and name are joined with exactly
// one separator, and a folder or name that climbs out of the Start Menu
// folder ("..") is refused.

#include <optional>
#include <string>

#include "setup/script_records.h"
#include "setup/setup_session.h"

namespace zentrix::setup {

class ShortcutMaker {
public:
    explicit ShortcutMaker(SetupSession& session) : session_(session) {}

    // The shortcut's file as the script names it: Start Menu folder, Dest,
    // LinkName; nullopt when it would leave the Start Menu folder.
    std::optional<std::string> linkPath(const ScriptLink& link, const std::string& linkName) const;

    // Makes the shortcut under `linkName`, reporting failures. Gives true
    // when it was saved.
    bool make(const ScriptLink& link, const std::string& linkName, int section);

private:
    SetupSession& session_;
};

}  // namespace zentrix::setup
