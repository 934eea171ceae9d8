#include "platform/library_loader.h"

namespace zentrix::platform {

const char* registrationExportName(RegistrationCall call) {
    return call == RegistrationCall::Register ? "DllRegisterServer" : "DllUnregisterServer";
}

}  // namespace zentrix::platform
