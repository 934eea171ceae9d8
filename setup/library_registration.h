#pragma once

// The libraries of [RegDll<n>] sections: on install counted (when shared),
// copied and registered; on uninstall counted down and, when no product
// counts them any more, unregistered and deleted.

#include "setup/script_records.h"
#include "setup/setup_session.h"

namespace zentrix::setup {

class LibraryRegistration {
public:
    explicit LibraryRegistration(SetupSession& session) : session_(session) {}

    // Gives false when the flow must stop (ChangeDir to a missing folder).
    bool install(const ScriptRegDll& library);
    // The same for the uninstall. `mayDelete` tells whether the library's
    // file lies where the uninstall may remove files.
    bool uninstall(const ScriptRegDll& library, bool mayDelete);

private:
    bool changeDirectory(const ScriptRegDll& library);
    // Calls the library's (un)registration entry point; problems are reported.
    void callRegistration(const std::string& path, platform::RegistrationCall call);

    SetupSession& session_;
};

}  // namespace zentrix::setup
