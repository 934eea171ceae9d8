#include "setup/shortcut_maker.h"

#include <filesystem>

#include "setup/script_paths.h"

namespace zentrix::setup {

namespace fs = std::filesystem;

std::optional<std::string> ShortcutMaker::linkPath(const ScriptLink& link,
                                                   const std::string& linkName) const {
    if (ScriptPaths::climbsUp(link.dest) || ScriptPaths::climbsUp(linkName)) return std::nullopt;
    const std::string folder =
        ScriptPaths::native(ScriptPaths::join(session_.state.startMenuDir, link.dest));
    return ScriptPaths::native(ScriptPaths::join(folder, linkName));
}

bool ShortcutMaker::make(const ScriptLink& link, const std::string& linkName, int section) {
    session_.setStatus(link.descr);
    const std::optional<std::string> path = linkPath(link, linkName);
    if (!path || ScriptPaths::stripSeparators(linkName).empty()) {
        session_.dialogs.error("[Link" + std::to_string(section) + "]: the shortcut \"" +
                               link.dest + linkName +
                               "\" does not name a file inside the Start Menu folder");
        return false;
    }
    std::error_code error;
    const fs::path folder = fs::path(*path).parent_path();
    fs::create_directories(folder, error);
    if (error) {
        session_.dialogs.error(folder.string() + ": cannot create the folder: " + error.message());
        return false;
    }
    platform::ShortcutSpec shortcut;
    shortcut.target = session_.expandedPath(link.fileName);
    shortcut.workingDir = session_.expandedPath(link.workingDir);
    shortcut.description = link.description;
    shortcut.arguments = link.params;
    Result<std::string> saved = session_.platform.shell->createShortcut(*path, shortcut);
    if (!saved) {
        session_.report(saved.status());
        return false;
    }
    session_.remember(saved.value());
    return true;
}

}  // namespace zentrix::setup
