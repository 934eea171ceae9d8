#include "setup/library_registration.h"

#include <filesystem>

#include "setup/setup_texts.h"
#include "setup/shared_library_counts.h"

namespace zentrix::setup {

namespace fs = std::filesystem;
using platform::RegistrationCall;
using platform::RegistrationOutcome;

void LibraryRegistration::callRegistration(const std::string& path, RegistrationCall call) {
    const RegistrationOutcome outcome = session_.platform.libraries->callRegistration(path, call);
    switch (outcome.kind) {
        case RegistrationOutcome::Kind::Succeeded:
            break;
        case RegistrationOutcome::Kind::LibraryMissing:
        case RegistrationOutcome::Kind::ExportMissing:
            session_.dialogs.error(texts::kProcAddressPrefix + path);
            break;
        case RegistrationOutcome::Kind::CallFailed:
            session_.dialogs.error(path + (call == RegistrationCall::Register
                                               ? texts::kRegisterFailedSuffix
                                               : texts::kUnregisterFailedSuffix));
            break;
    }
}

bool LibraryRegistration::changeDirectory(const ScriptRegDll& library) {
    if (!library.changeDir.isTrue()) return true;
    const platform::Status changed =
        session_.location.changeCurrentFolder(session_.expandedPath(library.dir));
    if (!changed) {
        session_.report(changed);
        return false;
    }
    return true;
}

bool LibraryRegistration::install(const ScriptRegDll& library) {
    const std::string path = session_.expandedPath(library.dest);
    session_.setStatus(library.description);
    if (library.shared.isTrue()) {
        SharedLibraryCounts counts(*session_.platform.registry);
        Result<uint32_t> raised = counts.raise(path);
        if (!raised) session_.report(raised.status());
    }
    session_.copy(session_.mediumPath(library.source), path);
    if (!changeDirectory(library)) return false;
    if (library.regFile.isTrue()) {
        callRegistration(path, RegistrationCall::Register);
    }
    return true;
}

bool LibraryRegistration::uninstall(const ScriptRegDll& library, bool mayDelete) {
    if (library.noDelete.isTrue()) return true;
    const std::string path = session_.expandedPath(library.dest);
    uint32_t remaining = 0;
    if (library.shared.isTrue()) {
        SharedLibraryCounts counts(*session_.platform.registry);
        Result<uint32_t> lowered = counts.lower(path);
        if (!lowered) {
            session_.report(lowered.status());
            return true;  // an unreadable count must not make the library look unused
        }
        remaining = lowered.value();
    }
    if (!changeDirectory(library)) return false;
    std::error_code error;
    if (library.regFile.isTrue() && remaining == 0 && fs::exists(path, error)) {
        callRegistration(path, RegistrationCall::Unregister);
        // Deleted directly, not into the trash; failures are not reported.
        if (mayDelete) (void)session_.platform.shell->deleteFile(path);
    }
    return true;
}

}  // namespace zentrix::setup
