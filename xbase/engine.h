#pragma once

// The engine handle: owns the options every table opened through it shares,
// the file system it works on, and the pending error code.

#include <memory>
#include <string>
#include <vector>

#include "xbase/field.h"
#include "xbase/file.h"
#include "xbase/status.h"

namespace zentrix::xbase {

class Table;

// Pending error codes. A missing file opened with open errors switched off
// leaves none: that is the ordinary "create it" path.
enum ErrorCode : int {
    kNoError = 0,
    kErrorOpen = -10,    // the file exists but is not a readable table
    kErrorCreate = -20,  // a table could not be created
    kErrorRead = -30,
    kErrorWrite = -40,
    kErrorLock = -50,   // another process held a lock too long
    kErrorIndex = -60,  // an index could not be read, evaluated or written
    kErrorData = -70,   // a value does not fit its field, a field is missing
};

struct EngineOptions {
    // On: a failed open is reported through the pending error code even when
    // the file is simply missing. Off: a missing file gives no table quietly.
    bool reportOpenErrors = false;
    // On: create refuses to replace an existing file. Off: create replaces an
    // existing table. A file that exists but is not a readable table is never
    // replaced either way: it may hold data a repair can save.
    bool createSafety = false;
    // Memo block size for new memo files.
    int memoBlockSize = 64;
};

class Engine {
public:
    explicit Engine(std::shared_ptr<FileSystem> fs = FileSystem::posix());
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    EngineOptions& options() { return options_; }
    FileSystem& fileSystem() { return *fs_; }
    std::shared_ptr<FileSystem> fileSystemPtr() { return fs_; }

    // Opens `path` (".dbf" is added when the name has no extension; the name
    // is matched without regard to case), with its memo file and production
    // index beside it. The error tells why: missing, damaged, locked.
    Result<std::unique_ptr<Table>> open(const std::string& path,
                                        OpenMode mode = OpenMode::ReadWrite);
    // Creates a table with its memo file (when it has memo fields) and its
    // production index holding `tags`. The new table is open.
    Result<std::unique_ptr<Table>> create(const std::string& path,
                                          const std::vector<FieldSpec>& fields,
                                          const std::vector<TagSpec>& tags);

    // Opens `path`, or creates it as create does when it is missing; a file
    // that is there but not a readable table is never created over. The
    // creation holds the folder's lock and looks for the table again under
    // it, so of seats that find a table missing together one creates it and
    // the others open what it made. The pending code tells a failed open
    // (kErrorOpen) from a failed create (kErrorCreate).
    Result<std::unique_ptr<Table>> openOrCreate(const std::string& path,
                                                const std::vector<FieldSpec>& fields,
                                                const std::vector<TagSpec>& tags);

    // Gives the pending error code and clears it.
    int takeErrorCode();
    // The message of the most recent failure, for callers that show one.
    const std::string& lastError() const { return lastError_; }

    // Tables report their failures here.
    void recordError(int code, const std::string& message);

private:
    std::shared_ptr<FileSystem> fs_;
    EngineOptions options_;
    int pendingError_ = kNoError;
    std::string lastError_;
};

}  // namespace zentrix::xbase
