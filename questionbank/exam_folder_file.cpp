#include "questionbank/exam_folder_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "questionbank/bank_path.h"

namespace fs = std::filesystem;

namespace zentrix::questionbank {

xbase::Result<std::string> ExamFolderFile::pathFor(const std::string& folder,
                                                   const std::string& name) {
    xbase::Result<std::string> relative = BankPath::checkedRelative(name);
    if (!relative) return relative.status().withContext(BankPath::asFolder(folder));
    return BankPath::resolve(folder, relative.value());
}

xbase::Result<std::string> ExamFolderFile::writeIfMissing(const std::string& folder,
                                                          const std::string& name,
                                                          std::string_view bytes) {
    xbase::Result<std::string> path = pathFor(folder, name);
    if (!path) return path;
    std::error_code ec;
    if (fs::exists(path.value(), ec)) return path;
    return write(folder, name, bytes);
}

xbase::Result<std::string> ExamFolderFile::write(const std::string& folder, const std::string& name,
                                                 std::string_view bytes) {
    xbase::Result<std::string> path = pathFor(folder, name);
    if (!path) return path;
    const fs::path target(path.value());
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    if (ec)
        return xbase::Status::error(target.parent_path().string() +
                                    ": cannot create folder: " + ec.message());

    // Written beside the target and renamed, so a reader never sees half a file.
    const std::string temporary = path.value() + ".partial";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return xbase::Status::error(temporary + ": cannot create file");
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        fs::remove(temporary, ec);
        return xbase::Status::error(temporary + ": cannot write " + std::to_string(bytes.size()) +
                                    " bytes");
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return xbase::Status::error(path.value() + ": cannot replace file: " + ec.message());
    }
    return path;
}

}  // namespace zentrix::questionbank
