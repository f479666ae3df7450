#include "store_faults.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace marvesto::testing {

namespace fs = std::filesystem;

namespace {

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            _exit(kBodyThrew);
        }
        done += static_cast<std::size_t>(written);
    }
}

std::vector<std::string> SplitAtNul(const std::string& bytes) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = bytes.find('\0'); at != std::string::npos;
         from = at + 1, at = bytes.find('\0', from)) {
        parts.push_back(bytes.substr(from, at - from));
    }
    return parts;
}

} // namespace

ChildOutcome RunInChild(const std::function<void(const FileHighScoreStore::FailureReport&)>& body) {
    int channel[2];
    if (::pipe(channel) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        ::close(channel[0]);
        const int out = channel[1];
        try {
            body([out](const std::string& message) { WriteAll(out, message + '\0'); });
        } catch (...) {
            _exit(kBodyThrew);
        }
        _exit(0);
    }
    ::close(channel[1]);
    std::string received;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ChildOutcome outcome;
    outcome.exited = WIFEXITED(status);
    outcome.exitCode = outcome.exited ? WEXITSTATUS(status) : -1;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    outcome.reports = SplitAtNul(received);
    return outcome;
}

void BecomeUnprivileged(bool inSharedGroup) {
    if (::geteuid() != 0) {
        return;
    }
    const gid_t shared = kSharedGroupId;
    if (::setgroups(inSharedGroup ? 1 : 0, &shared) != 0 || ::setgid(kUnprivilegedId) != 0 ||
        ::setuid(kUnprivilegedId) != 0) {
        _exit(kCouldNotDropPrivileges);
    }
}

std::string StagedFileSystem::Role(const fs::path& path) const {
    if (path == target_) {
        return target_.filename().string();
    }
    return fs::is_directory(path) ? "directory" : "new file";
}

bool StagedFileSystem::Intercept(const std::string& call) {
    calls.push_back(call);
    if (calls.size() - 1 != faultAt) {
        return false;
    }
    if (fault == Fault::kEndProcess) {
        _exit(kEndedExitCode);
    }
    errno = faultError;
    return true;
}

int StagedFileSystem::Stat(const char* path, struct stat* status) {
    return Intercept("stat " + Role(path)) ? -1 : PosixFileSystem::Stat(path, status);
}

int StagedFileSystem::Open(const char* path, int flags, mode_t mode) {
    const std::string role = Role(path);
    if (Intercept("open " + role)) {
        return -1;
    }
    const int fd = PosixFileSystem::Open(path, flags, mode);
    if (fd >= 0) {
        roles_[fd] = role;
    }
    return fd;
}

int StagedFileSystem::Fchown(int fd, uid_t owner, gid_t group) {
    return Intercept("fchown " + roles_[fd]) ? -1 : PosixFileSystem::Fchown(fd, owner, group);
}

int StagedFileSystem::Fchmod(int fd, mode_t mode) {
    return Intercept("fchmod " + roles_[fd]) ? -1 : PosixFileSystem::Fchmod(fd, mode);
}

ssize_t StagedFileSystem::Write(int fd, const void* data, std::size_t size) {
    if (trickle && interruptNext_) {
        interruptNext_ = false;
        errno = EINTR;
        return -1;
    }
    interruptNext_ = true;
    if (Intercept("write " + roles_[fd])) {
        return -1;
    }
    return PosixFileSystem::Write(fd, data, trickle ? std::min<std::size_t>(size, 1) : size);
}

int StagedFileSystem::Fsync(int fd) {
    return Intercept("fsync " + roles_[fd]) ? -1 : PosixFileSystem::Fsync(fd);
}

int StagedFileSystem::Close(int fd) {
    const std::string role = roles_[fd];
    roles_.erase(fd);
    // Like the system's close, a failing one still releases the descriptor.
    const bool fails = Intercept("close " + role);
    const int injected = errno;
    const int result = PosixFileSystem::Close(fd);
    if (fails) {
        errno = injected;
        return -1;
    }
    return result;
}

int StagedFileSystem::Rename(const char* from, const char* to) {
    const std::string call = "rename " + Role(from) + " to " + Role(to);
    return Intercept(call) ? -1 : PosixFileSystem::Rename(from, to);
}

int StagedFileSystem::Unlink(const char* path) {
    return Intercept("unlink " + Role(path)) ? -1 : PosixFileSystem::Unlink(path);
}

} // namespace marvesto::testing
