#include "platform/linux/dl_library_loader.h"

#include <dlfcn.h>

#include <cstdint>

namespace zentrix::platform {

RegistrationOutcome DlLibraryLoader::callRegistration(const std::string& libraryPath,
                                                      RegistrationCall call) {
    using Kind = RegistrationOutcome::Kind;
    // A name without a slash would be searched for in the system's library
    // path; the caller means a file, so make it one.
    const std::string file =
        libraryPath.find('/') == std::string::npos ? "./" + libraryPath : libraryPath;
    void* library = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = ::dlerror();
        return {Kind::LibraryMissing, 0, reason ? reason : "cannot load " + libraryPath};
    }
    ::dlerror();
    void* symbol = ::dlsym(library, registrationExportName(call));
    if (!symbol) {
        // dlclose frees the error text, so it is copied first.
        const char* error = ::dlerror();
        const std::string reason = error ? error : "no export";
        ::dlclose(library);
        return {Kind::ExportMissing, 0, reason};
    }
    using EntryPoint = int32_t (*)();
    const int32_t result = reinterpret_cast<EntryPoint>(symbol)();
    ::dlclose(library);
    if (result != 0) return {Kind::CallFailed, result, "returned " + std::to_string(result)};
    return {Kind::Succeeded, 0, {}};
}

}  // namespace zentrix::platform
