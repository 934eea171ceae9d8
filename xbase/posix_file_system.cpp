#include "xbase/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "base/ascii_text.h"

namespace zentrix::xbase {
namespace {

// How long a blocked lock is retried before the caller hears "locked".
constexpr auto kLockWait = std::chrono::seconds(20);

// Open-file-description locks belong to the handle, not the process: closing
// another handle of the same file does not drop them, and two handles of one
// process exclude each other like two processes do. Classic process-owned
// locks are the fallback where they are missing.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif

std::string errnoText() { return std::strerror(errno); }

class PosixFile : public File {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override { ::close(fd_); }

    Status readAt(uint64_t offset, void* buffer, size_t n) override {
        ZX_TRY_ASSIGN(auto got, readSomeAt(offset, buffer, n));
        if (got != n)
            return Status::error(path_ + ": file ends at " + std::to_string(offset + got) + ", " +
                                 std::to_string(n) + " bytes wanted at " + std::to_string(offset));
        return Status::ok();
    }

    Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) override {
        size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < n) {
            ssize_t r = ::pread(fd_, out + done, n - done, off_t(offset + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                return Status::error(path_ + ": read failed: " + errnoText());
            }
            if (r == 0) break;
            done += size_t(r);
        }
        return done;
    }

    Status writeAt(uint64_t offset, const void* data, size_t n) override {
        size_t done = 0;
        const auto* in = static_cast<const char*>(data);
        while (done < n) {
            ssize_t r = ::pwrite(fd_, in + done, n - done, off_t(offset + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                return Status::error(path_ + ": write failed: " + errnoText());
            }
            done += size_t(r);
        }
        return Status::ok();
    }

    Result<uint64_t> size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return Status::error(path_ + ": stat failed: " + errnoText());
        return uint64_t(st.st_size);
    }

    Status truncate(uint64_t size) override {
        if (::ftruncate(fd_, off_t(size)) != 0)
            return Status::error(path_ + ": truncate failed: " + errnoText());
        return Status::ok();
    }

    Status sync() override {
        if (::fdatasync(fd_) != 0) return Status::error(path_ + ": sync failed: " + errnoText());
        return Status::ok();
    }

    Status lock(uint64_t offset, uint64_t length, bool exclusive) override {
        struct flock fl {};
        fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = off_t(offset);
        fl.l_len = off_t(length);
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        auto pause = std::chrono::microseconds(200);
        for (;;) {
            if (::fcntl(fd_, kSetLock, &fl) == 0) return Status::ok();
            if (errno != EACCES && errno != EAGAIN && errno != EINTR)
                return Status::error(path_ + ": lock failed: " + errnoText());
            if (std::chrono::steady_clock::now() >= deadline)
                return Status::error(path_ + ": locked by another process");
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(20000));
        }
    }

    Status unlock(uint64_t offset, uint64_t length) override {
        struct flock fl {};
        fl.l_type = F_UNLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = off_t(offset);
        fl.l_len = off_t(length);
        if (::fcntl(fd_, kSetLock, &fl) != 0)
            return Status::error(path_ + ": unlock failed: " + errnoText());
        return Status::ok();
    }

    const std::string& path() const override { return path_; }

private:
    int fd_;
    std::string path_;
};

// flock on the folder itself: it needs no file of its own in the folder,
// and the kernel drops it when a process dies holding it.
class PosixFolderLock : public FolderLock {
public:
    explicit PosixFolderLock(int fd) : fd_(fd) {}
    ~PosixFolderLock() override { ::close(fd_); }  // closing releases the lock

private:
    int fd_;
};

}  // namespace

std::shared_ptr<FileSystem> FileSystem::posix() {
    static std::shared_ptr<FileSystem> instance = std::make_shared<PosixFileSystem>();
    return instance;
}

Result<std::unique_ptr<File>> PosixFileSystem::open(const std::string& path, OpenMode mode) {
    int fd = ::open(path.c_str(), (mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) return Status::error(path + ": " + errnoText());
    struct stat st {};
    if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Status::error(path + ": not a regular file");
    }
    return std::unique_ptr<File>(std::make_unique<PosixFile>(fd, path));
}

Result<std::unique_ptr<File>> PosixFileSystem::create(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return Status::error(path + ": cannot create: " + errnoText());
    return std::unique_ptr<File>(std::make_unique<PosixFile>(fd, path));
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

Status PosixFileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return Status::error(path + ": cannot remove: " + errnoText());
    return Status::ok();
}

Result<std::unique_ptr<FolderLock>> PosixFileSystem::lockFolder(const std::string& folder) {
    const std::string name = folder.empty() ? std::string(".") : folder;
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Status::error(name + ": cannot open the folder: " + errnoText());
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    auto pause = std::chrono::microseconds(200);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const std::string why = errnoText();
            ::close(fd);
            return Status::error(name + ": folder lock failed: " + why);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return Status::error(name + ": another process is creating a table here");
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
    return std::unique_ptr<FolderLock>(std::make_unique<PosixFolderLock>(fd));
}

Status PosixFileSystem::rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        return Status::error(from + ": cannot rename to " + to + ": " + errnoText());
    return Status::ok();
}

std::optional<std::string> PosixFileSystem::resolveCaseInsensitive(const std::string& path) {
    if (exists(path)) return path;
    const auto slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string prefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
        if (base::ascii::equalsIgnoringCase(entry->d_name, name)) {
            found = prefix + entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace zentrix::xbase
