#include "setup/process_finder.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace zentrix::setup {

namespace fs = std::filesystem;

namespace {

std::string fileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The kernel marks the executable of a replaced file " (deleted)".
std::string withoutDeletedMark(std::string name) {
    const std::string mark = " (deleted)";
    if (name.size() > mark.size() &&
        name.compare(name.size() - mark.size(), mark.size(), mark) == 0)
        name.erase(name.size() - mark.size());
    return name;
}

}  // namespace

std::optional<platform::ProcessId> ProcProcessFinder::find(const std::string& programName) {
    if (programName.empty()) return std::nullopt;
#ifdef _WIN32
    return std::nullopt;
#else
    const platform::ProcessId self = ::getpid();
    std::error_code error;
    for (fs::directory_iterator it(proc_, error), end; !error && it != end; it.increment(error)) {
        const std::string id = it->path().filename().string();
        if (id.empty() || id.find_first_not_of("0123456789") != std::string::npos) continue;
        const platform::ProcessId pid = std::stoll(id);
        if (pid == self) continue;
        std::error_code linkError;
        const fs::path exe = fs::read_symlink(it->path() / "exe", linkError);
        std::string name = linkError ? std::string() : withoutDeletedMark(fileName(exe.string()));
        if (name != programName) {
            std::ifstream cmdline(it->path() / "cmdline", std::ios::binary);
            std::string first;
            std::getline(cmdline, first, '\0');
            name = fileName(first);
        }
        if (name == programName) return pid;
    }
    return std::nullopt;
#endif
}

}  // namespace zentrix::setup
