#pragma once

// Helpers shared by the table tests: scratch folders, whole-file bytes, a
// file system that cuts the write sequence (a simulated crash); SHA-256 comes from the index tests.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "index/sha256.h"
#include "xbase/field.h"
#include "xbase/file.h"

namespace zentrix::xbase::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
std::string interopDir();  // empty when the reference tables are absent

// A small table with a character key, a numeric tag and a memo: enough to
// reach every file a table has.
inline const std::vector<FieldSpec> kIdNumNoteFields = {
    {"ID", 'C', 8, 0}, {"NUM", 'N', 6, 0}, {"NOTE", 'M', 10, 0}};
inline const std::vector<TagSpec> kIdNumNoteTags = {{"ID", "ID", ".NOT. DELETED()"},
                                                    {"NUM", "NUM", ""}};

// Lets the first `budget` writes (writeAt, truncate) through; the next one is
// torn (half its bytes reach the file) and fails, and so does every later one,
// as if the machine stopped there.
class CuttingFileSystem : public FileSystem {
public:
    explicit CuttingFileSystem(long budget) : budget_(budget) {}
    Result<std::unique_ptr<File>> open(const std::string& path, OpenMode mode) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    bool exists(const std::string& path) override { return real_->exists(path); }
    Status remove(const std::string& path) override;
    Status rename(const std::string& from, const std::string& to) override;
    std::optional<std::string> resolveCaseInsensitive(const std::string& path) override {
        return real_->resolveCaseInsensitive(path);
    }

    bool cut() const { return writes_ > budget_; }
    long writes() const { return writes_; }
    // Counts one write; false when it must fail. `torn` is set for the first failing one.
    bool allowWrite(bool& torn);

private:
    std::shared_ptr<FileSystem> real_ = FileSystem::posix();
    long budget_;
    long writes_ = 0;
};

}  // namespace zentrix::xbase::testing
