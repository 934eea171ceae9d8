#include "setup/setup_location.h"

#include <filesystem>

namespace zentrix::setup {

namespace fs = std::filesystem;

namespace {

platform::Status checkFolder(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error))
        return platform::Status::error(folder + ": no such folder");
    return platform::Status::ok();
}

}  // namespace

std::string ProgramSetupLocation::currentFolder() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string() : current.string();
}

platform::Status ProgramSetupLocation::changeCurrentFolder(const std::string& folder) {
    ZX_TRY(checkFolder(folder));
    std::error_code error;
    fs::current_path(folder, error);
    if (error)
        return platform::Status::error(folder +
                                       ": cannot make it the current folder: " + error.message());
    return platform::Status::ok();
}

platform::Status FixedSetupLocation::changeCurrentFolder(const std::string& folder) {
    ZX_TRY(checkFolder(folder));
    current_ = folder;
    return platform::Status::ok();
}

}  // namespace zentrix::setup
