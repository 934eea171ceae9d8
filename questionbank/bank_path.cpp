#include "questionbank/bank_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "xbase/folder_path.h"

namespace fs = std::filesystem;

namespace zentrix::questionbank {

namespace {

std::string slashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::vector<std::string> components(const std::string& relative) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : relative) {
        if (c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// The entry of `dir` named `name` without regard to case; exact name first.
std::optional<std::string> matchEntry(const std::string& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(fs::path(dir) / name, ec)) return name;
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (equalNoCase(entry, name)) return entry;
    }
    return std::nullopt;
}

}  // namespace

std::string BankPath::asFolder(std::string folder) {
    return xbase::asFolderText(std::move(folder));
}

xbase::Result<std::string> BankPath::checkedRelative(const std::string& name) {
    const std::string quoted = "\"" + name + "\"";
    std::string path = slashes(trim(name));
    if (path.empty()) return xbase::Status::error("file name is empty");
    if (path.front() == '/') return xbase::Status::error("file name " + quoted + " is an absolute path");
    if (path.size() >= 2 && path[1] == ':') return xbase::Status::error("file name " + quoted + " names a drive");
    for (unsigned char c : path) {
        if (c < 0x20) return xbase::Status::error("file name " + quoted + " holds a control character");
    }
    for (const std::string& part : components(path)) {
        if (part == "..") return xbase::Status::error("file name " + quoted + " leaves its folder (\"..\")");
    }
    if (path.back() == '/') return xbase::Status::error("file name " + quoted + " names a folder");
    return path;
}

xbase::Status BankPath::checkExamLocation(const std::string& path, const std::string& tableName) {
    const std::string folder = asFolder(trimRight(path));
    if (!folder.empty()) {
        xbase::Result<std::string> checked = checkedRelative(folder.substr(0, folder.size() - 1));
        if (!checked) return xbase::Status::error("folder " + checked.message());
    }
    xbase::Result<std::string> name = checkedRelative(trimRight(tableName));
    if (!name || name.value().find('/') != std::string::npos)
        return xbase::Status::error("table name \"" + tableName + "\" is not a plain file name");
    return xbase::Status::ok();
}

std::string BankPath::resolve(const std::string& folder, const std::string& relative) {
    std::string current = asFolder(folder);
    const std::vector<std::string> parts = components(slashes(relative));
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string dir = current.empty() ? "." : current;
        std::optional<std::string> onDisk = part == "." ? std::optional<std::string>(part) : matchEntry(dir, part);
        current += onDisk ? *onDisk : part;
        if (i + 1 < parts.size()) current.push_back('/');
    }
    if (!relative.empty() && (relative.back() == '/' || relative.back() == '\\') && !current.empty() &&
        current.back() != '/')
        current.push_back('/');
    return current;
}

std::optional<std::string> BankPath::findFile(const std::string& folder, const std::string& relative) {
    std::string path = resolve(folder, relative);
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return path;
    return std::nullopt;
}

std::string BankPath::trimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string BankPath::trim(std::string text) {
    text = trimRight(std::move(text));
    size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    return text.substr(start);
}

}  // namespace zentrix::questionbank
