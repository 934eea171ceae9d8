#pragma once

#include "platform/library_loader.h"

namespace zentrix::platform {

// Loads shared libraries with dlopen and finds the exports with dlsym.
class DlLibraryLoader : public LibraryLoader {
public:
    RegistrationOutcome callRegistration(const std::string& libraryPath,
                                         RegistrationCall call) override;
};

}  // namespace zentrix::platform
