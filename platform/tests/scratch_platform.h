#pragma once

// A platform root in a fresh temporary folder, removed after the test.

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace zentrix::platform::testing {

class ScratchPlatform {
public:
    ScratchPlatform() : paths_(PlatformPaths::underRoot(dir_.path().toStdString() + "/root")) {
        paths_.homeDir = dir_.path().toStdString() + "/home";
        std::filesystem::create_directories(paths_.homeDir);
        PlatformOptions options;
        options.opener = [this](const std::string& target) {
            opened.push_back(target);
            return Status::ok();
        };
        auto made = createPlatform(paths_, options);
        platform_ = std::move(made.value());
    }

    Platform& platform() { return *platform_; }
    const PlatformPaths& paths() const { return paths_; }
    // A folder for the test's own files, outside the platform root.
    std::string work(const std::string& relative = "") const {
        return dir_.path().toStdString() + "/work" + (relative.empty() ? "" : "/" + relative);
    }

    std::vector<std::string> opened;  // what the desktop was asked to open

private:
    QTemporaryDir dir_;
    PlatformPaths paths_;
    std::unique_ptr<Platform> platform_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zentrix::platform::testing
