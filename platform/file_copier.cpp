#include "platform/file_copier.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/ascii_text.h"

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;

Status failure(const fs::path& path, const std::string& what, const std::error_code& error) {
    return Status::error(path.string() + ": " + what + (error ? ": " + error.message() : ""));
}

bool isWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

// True when `inner` is `outer` or lies below it, links resolved.
fs::path resolved(const fs::path& path) {
    std::error_code error;
    fs::path result = fs::weakly_canonical(fs::absolute(path, error), error).lexically_normal();
    return result.has_filename() ? result : result.parent_path();
}

bool isWithin(const fs::path& inner, const fs::path& outer) {
    const fs::path a = resolved(inner);
    const fs::path b = resolved(outer);
    auto [end, ignored] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return end == b.end();
}

Status copyFile(const fs::path& source, const fs::path& target) {
    std::error_code error;
    if (fs::exists(target, error) && fs::equivalent(source, target, error)) return Status::ok();
    fs::create_directories(target.parent_path(), error);
    if (error) return failure(target.parent_path(), "cannot create folder", error);
    if (fs::is_directory(target, error))
        return failure(target, "a folder is in the way of a file", {});
    if (fs::copy_file(source, target, fs::copy_options::overwrite_existing, error))
        return Status::ok();
    // A read-only file in the way is replaced, as the shell does silently.
    std::error_code removeError;
    if (fs::remove(target, removeError) &&
        fs::copy_file(source, target, fs::copy_options::overwrite_existing, error)) {
        return Status::ok();
    }
    return failure(source, "cannot copy to " + target.string(), error);
}

Status copyTree(const fs::path& source, const fs::path& target) {
    if (isWithin(target, source)) {
        return Status::error(source.string() + ": cannot copy a folder into itself (" +
                             target.string() + ")");
    }
    std::error_code error;
    fs::create_directories(target, error);
    if (error) return failure(target, "cannot create folder", error);
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(*it);
    }
    if (error) return failure(source, "cannot list folder", error);
    for (const fs::directory_entry& entry : entries) {
        const fs::path destination = target / entry.path().filename();
        Status copied = entry.is_directory(error) ? copyTree(entry.path(), destination)
                                                  : copyFile(entry.path(), destination);
        if (!copied) return copied;
    }
    return Status::ok();
}

}  // namespace

bool FileCopier::matchesWildcard(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    // Iterative match with one backtrack point for the last '*'.
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || base::ascii::toLower(pattern[p]) ==
                                                            base::ascii::toLower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

Status FileCopier::copy(const std::string& sourceText, const std::string& targetText,
                        const CopyOptions& options) const {
    if (sourceText.empty() || targetText.empty())
        return Status::error("copy: empty source or target");
    std::error_code error;
    fs::path source = fs::path(sourceText).lexically_normal();
    const fs::path target = fs::path(targetText).lexically_normal();
    const std::string lastName = source.filename().string();

    if (isWildcard(lastName)) {
        const fs::path folder = source.parent_path().empty() ? fs::path(".") : source.parent_path();
        if (!fs::is_directory(folder, error)) return failure(folder, "no such folder", error);
        std::vector<fs::directory_entry> matches;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (matchesWildcard(lastName, it->path().filename().string())) matches.push_back(*it);
        }
        if (error) return failure(folder, "cannot list folder", error);
        std::sort(matches.begin(), matches.end());
        fs::create_directories(target, error);
        if (error) return failure(target, "cannot create folder", error);
        for (const fs::directory_entry& match : matches) {
            const fs::path destination = target / match.path().filename();
            if (match.is_directory(error)) {
                if (options.filesOnly) continue;
                Status copied = copyTree(match.path(), destination);
                if (!copied) return copied;
            } else {
                Status copied = copyFile(match.path(), destination);
                if (!copied) return copied;
            }
        }
        return Status::ok();
    }

    if (lastName.empty()) source = source.parent_path();  // "dir/" names the folder
    if (fs::is_directory(source, error)) {
        const fs::path destination =
            fs::is_directory(target, error) ? target / source.filename() : target;
        return copyTree(source, destination);
    }
    if (fs::is_regular_file(source, error)) {
        const bool intoFolder = fs::is_directory(target, error) || endsWithSeparator(targetText);
        return copyFile(source, intoFolder ? target / source.filename() : target);
    }
    return failure(source, "no such file or folder", error);
}

}  // namespace zentrix::platform
