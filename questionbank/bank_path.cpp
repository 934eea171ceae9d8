#include "questionbank/bank_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/ascii_text.h"
#include "xbase/folder_path.h"

namespace fs = std::filesystem;

namespace zentrix::questionbank {

namespace {

std::string slashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
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
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (base::ascii::equalsIgnoringCase(entry, name)) return entry;
    }
    return std::nullopt;
}

}  // namespace

std::string BankPath::asFolder(std::string folder) {
    return xbase::asFolderText(std::move(folder));
}

xbase::Result<std::string> BankPath::checkedRelative(const std::string& name) {
    const std::string quoted = "\"" + name + "\"";
    std::string path = slashes(base::ascii::trimmed(name, base::ascii::kBlank));
    if (path.empty()) return xbase::Status::error("file name is empty");
    if (path.front() == '/')
        return xbase::Status::error("file name " + quoted + " is an absolute path");
    if (path.size() >= 2 && path[1] == ':')
        return xbase::Status::error("file name " + quoted + " names a drive");
    for (unsigned char c : path) {
        if (c < 0x20)
            return xbase::Status::error("file name " + quoted + " holds a control character");
    }
    for (const std::string& part : components(path)) {
        if (part == "..")
            return xbase::Status::error("file name " + quoted + " leaves its folder (\"..\")");
    }
    if (path.back() == '/') return xbase::Status::error("file name " + quoted + " names a folder");
    return path;
}

xbase::Status BankPath::checkExamLocation(const std::string& path, const std::string& tableName) {
    const std::string folder = asFolder(base::ascii::trimmedRight(path, base::ascii::kBlank));
    if (!folder.empty()) {
        xbase::Result<std::string> checked = checkedRelative(folder.substr(0, folder.size() - 1));
        if (!checked) return xbase::Status::error("folder " + checked.message());
    }
    xbase::Result<std::string> name =
        checkedRelative(base::ascii::trimmedRight(tableName, base::ascii::kBlank));
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
        std::optional<std::string> onDisk =
            part == "." ? std::optional<std::string>(part) : matchEntry(dir, part);
        current += onDisk ? *onDisk : part;
        if (i + 1 < parts.size()) current.push_back('/');
    }
    if (!relative.empty() && (relative.back() == '/' || relative.back() == '\\') &&
        !current.empty() && current.back() != '/')
        current.push_back('/');
    return current;
}

std::string BankPath::resolveTable(const std::string& folder, const std::string& relative) {
    const std::string path = slashes(relative);
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return asFolder(folder) + path;
    return asFolder(resolve(folder, path.substr(0, slash + 1))) + path.substr(slash + 1);
}

std::optional<std::string> BankPath::findFile(const std::string& folder,
                                              const std::string& relative) {
    std::string path = resolve(folder, relative);
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return path;
    return std::nullopt;
}

}  // namespace zentrix::questionbank
