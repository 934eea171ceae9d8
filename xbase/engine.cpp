#include "xbase/engine.h"

#include "xbase/dbf_table.h"
#include "xbase/table_files.h"

namespace zentrix::xbase {

Engine::Engine(std::shared_ptr<FileSystem> fs) : fs_(std::move(fs)) {}
Engine::~Engine() = default;

Result<std::unique_ptr<Table>> Engine::open(const std::string& path, OpenMode mode) {
    auto table = DbfTable::open(*this, path, mode);
    if (!table) {
        const bool missing =
            table.status().message().find(DbfTable::kMissingMarker) != std::string::npos;
        if (!missing || options_.reportOpenErrors) recordError(kErrorOpen, table.message());
        return table.status();
    }
    return std::unique_ptr<Table>(std::move(table.value()));
}

Result<std::unique_ptr<Table>> Engine::create(const std::string& path,
                                              const std::vector<FieldSpec>& fields,
                                              const std::vector<TagSpec>& tags) {
    auto table = DbfTable::create(*this, path, fields, tags);
    if (!table) {
        recordError(kErrorCreate, table.message());
        return table.status();
    }
    return std::unique_ptr<Table>(std::move(table.value()));
}

Result<std::unique_ptr<Table>> Engine::openOrCreate(const std::string& path,
                                                    const std::vector<FieldSpec>& fields,
                                                    const std::vector<TagSpec>& tags) {
    {
        auto table = DbfTable::open(*this, path, OpenMode::ReadWrite);
        if (table) return std::unique_ptr<Table>(std::move(table.value()));
        if (table.status().message().find(DbfTable::kMissingMarker) == std::string::npos) {
            recordError(kErrorOpen, table.message());
            return table.status();
        }
    }
    const std::string tablePath = TableFiles::locate(*fs_, path).table;
    const auto slash = tablePath.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : tablePath.substr(0, slash);
    auto lock = fs_->lockFolder(folder);
    if (!lock) {
        recordError(kErrorCreate, lock.message());
        return lock.status();
    }
    // Another seat may have made it while this one waited for the lock.
    auto table = DbfTable::open(*this, path, OpenMode::ReadWrite);
    if (table) return std::unique_ptr<Table>(std::move(table.value()));
    if (table.status().message().find(DbfTable::kMissingMarker) == std::string::npos) {
        recordError(kErrorOpen, table.message());
        return table.status();
    }
    return create(path, fields, tags);
}

int Engine::takeErrorCode() {
    const int code = pendingError_;
    pendingError_ = kNoError;
    return code;
}

void Engine::recordError(int code, const std::string& message) {
    pendingError_ = code;
    lastError_ = message;
}

}  // namespace zentrix::xbase
