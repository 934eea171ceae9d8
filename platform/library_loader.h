#pragma once

// The library service: load a shared library and call its self-registration
// entry point "DllRegisterServer" or "DllUnregisterServer" (no arguments,
// a 32-bit result where 0 means success).

#include <cstdint>
#include <string>

namespace zentrix::platform {

enum class RegistrationCall { Register, Unregister };

struct RegistrationOutcome {
    enum class Kind {
        Succeeded,       // the call returned 0
        LibraryMissing,  // the library could not be loaded
        ExportMissing,   // it has no such export
        CallFailed,      // the call returned `returnCode`, not 0
    };
    Kind kind = Kind::Succeeded;
    int32_t returnCode = 0;
    std::string detail;  // the loader's own message, for logs

    bool succeeded() const { return kind == Kind::Succeeded; }
};

const char* registrationExportName(RegistrationCall call);

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;

    // Loads the library, calls the export and unloads the library again.
    virtual RegistrationOutcome callRegistration(const std::string& libraryPath,
                                                 RegistrationCall call) = 0;
};

}  // namespace zentrix::platform
