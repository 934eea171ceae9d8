#pragma once

// The shell service: copies, deletions, opening files and web addresses
// with the desktop's default handler, starting programs and shortcuts.
// Paths are paths of this platform (see nativePath() for script texts).

#include <optional>
#include <string>

#include "platform/processes.h"
#include "platform/status.h"

namespace zentrix::platform {

struct CopyOptions {
    // With a wildcard source, copy only the matching files, not folders.
    bool filesOnly = false;
};

struct ShortcutSpec {
    std::string target;
    std::string workingDir;
    std::string description;
    std::string arguments;  // one command-line text
};

class Shell {
public:
    virtual ~Shell() = default;

    // Copies a file, a folder tree, or the matches of a wildcard in the last
    // name of `source` ("dir/*.*"), creating missing target folders and
    // overwriting silently. A file goes into `target` when that is a folder
    // (or ends with a separator), else becomes `target`; a folder goes into
    // an existing target folder, else becomes it; wildcard matches go into
    // `target` as a folder.
    virtual Status copy(const std::string& source, const std::string& target,
                        const CopyOptions& options) = 0;

    // Moves a file or a folder with everything in it into the trash, from
    // where the user can restore it. Refuses protected folders.
    virtual Status moveToTrash(const std::string& path) = 0;

    // Deletes a file for good. Refuses folders and protected places.
    virtual Status deleteFile(const std::string& path) = 0;

    // Makes a file or folder writable for its owner, as clearing the
    // read-only attribute of a file copied from a read-only medium does.
    virtual Status makeWritable(const std::string& path) = 0;

    // makeWritable() for every entry directly in the folder (not below).
    virtual Status makeFolderEntriesWritable(const std::string& folder) = 0;

    // Opens a file or web address with the desktop's default handler.
    virtual Status open(const std::string& fileOrAddress) = 0;

    // Starts `file` (relative names are taken in `workingDir`) with the
    // command-line text `parameters` in `workingDir`. A program gives its
    // process; a document is opened with its default handler and gives none.
    virtual Result<std::optional<ProcessId>> launchProgram(const std::string& file,
                                                           const std::string& parameters,
                                                           const std::string& workingDir) = 0;

    // Saves a shortcut at `linkPath` (a ".lnk" name; the platform may store
    // it under its own extension) and gives the file actually written.
    virtual Result<std::string> createShortcut(const std::string& linkPath,
                                               const ShortcutSpec& shortcut) = 0;

    // Deletes the shortcut that createShortcut(linkPath, ...) wrote.
    virtual Status deleteShortcut(const std::string& linkPath) = 0;
};

}  // namespace zentrix::platform
