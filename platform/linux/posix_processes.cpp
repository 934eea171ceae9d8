#include "platform/linux/posix_processes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

namespace zentrix::platform {

Result<ProcessId> PosixProcesses::start(const LaunchRequest& request) {
    if (request.program.empty()) return Status::error("start: no program named");
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    std::vector<std::string> words = {request.program};
    words.insert(words.end(), request.arguments.begin(), request.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const char* folder = request.workingDir.empty() ? nullptr : request.workingDir.c_str();

    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
        return Status::error(request.program + ": cannot start: " + std::strerror(errno));
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(errorPipe[0]);
        ::close(errorPipe[1]);
        return Status::error(request.program + ": cannot start: " + std::strerror(errno));
    }
    if (child == 0) {
        int failure = 0;
        if (folder && ::chdir(folder) != 0) failure = errno;
        if (!failure) {
            ::execvp(argv[0], argv.data());
            failure = errno;
        }
        // The exec failed: tell the parent why through the pipe.
        ssize_t ignored = ::write(errorPipe[1], &failure, sizeof failure);
        (void)ignored;
        ::_exit(127);
    }
    ::close(errorPipe[1]);
    int childError = 0;
    ssize_t got;
    do {
        got = ::read(errorPipe[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    ::close(errorPipe[0]);
    if (got == ssize_t(sizeof childError)) {
        int status;
        ::waitpid(child, &status, 0);
        const std::string where = folder && childError == ENOENT && std::string(folder).size()
                                      ? " (in " + request.workingDir + ")"
                                      : "";
        return Status::error(request.program + ": cannot start: " + std::strerror(childError) +
                             where);
    }
    return ProcessId(child);
}

bool PosixProcesses::childRunning(ProcessId process) {
    if (exitCodes_.count(process)) return false;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_t(process), &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0) return true;
    if (result == pid_t(process)) {
        exitCodes_[process] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    // Not our child: it runs while the id answers a null signal.
    if (::kill(pid_t(process), 0) == 0 || errno == EPERM) return true;
    exitCodes_[process] = -1;
    return false;
}

bool PosixProcesses::isRunning(ProcessId process) {
    if (process <= 0) return false;
    return childRunning(process);
}

Result<int> PosixProcesses::waitForExit(ProcessId process, const std::function<bool()>& poll,
                                        std::chrono::milliseconds interval) {
    if (process <= 0) return Status::error("wait: no process");
    while (childRunning(process)) {
        if (poll && !poll()) {
            return Status::error("process " + std::to_string(process) +
                                 ": stopped waiting for its end");
        }
        std::this_thread::sleep_for(interval);
    }
    return exitCodes_[process];
}

}  // namespace zentrix::platform
