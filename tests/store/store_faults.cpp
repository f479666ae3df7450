#include "store_faults.h"

#include "files.h"
#include "rule_test.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace marvesto::testing {

namespace fs = std::filesystem;

ScoreFolder::ScoreFolder(const FileContent& content) {
    if (content) {
        WriteBytes(File(), *content);
    }
}

ScoreFolder::~ScoreFolder() {
    fs::permissions(Dir(), fs::perms::owner_all);
}

FileHighScoreStore ScoreFolder::Store() {
    return FileHighScoreStore(File(), [this](const std::string& m) { reports.push_back(m); });
}

std::string ScoreFolder::SaveFailure(const std::string& reason) const {
    return "Could not save the high score to \"" + File().string() + "\": " + reason;
}

void VerifyReport(const std::vector<std::string>& reports, const std::string& start) {
    REQUIRE(reports.size() == std::size_t{1});
    CHECK_MESSAGE(reports.front().starts_with(start), reports.front());
}

ChildOutcome RunInChild(const std::function<void(const FileHighScoreStore::FailureReport&)>& body) {
    // A pipe, not a file: a child may be denied any file it writes.
    int channel[2];
    const pid_t child = ::pipe(channel) == 0 ? ::fork() : -1;
    if (child < 0) {
        throw std::runtime_error("cannot start a child process");
    }
    if (child == 0) {
        ::close(channel[0]);
        body([out = channel[1]](const std::string& message) {
            const std::string line = message + '\n';
            if (::write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                _exit(1);
            }
        });
        _exit(0);
    }
    ::close(channel[1]);
    ChildOutcome outcome;
    std::FILE* const heard = ::fdopen(channel[0], "r");
    outcome.reports = ReadLines(heard);
    std::fclose(heard);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

void BecomeUnprivileged(bool inSharedGroup) {
    if (::geteuid() != 0) {
        return;
    }
    const gid_t shared = kSharedGroupId;
    if (::setgroups(inSharedGroup ? 1 : 0, &shared) != 0 || ::setgid(kUnprivilegedId) != 0 ||
        ::setuid(kUnprivilegedId) != 0) {
        _exit(90);
    }
}

std::string StagedFileSystem::Role(const fs::path& path) const {
    if (path == target_) {
        return target_.filename().string();
    }
    return fs::is_directory(path) ? "directory" : "new file";
}

bool StagedFileSystem::Fails(const std::string& call) {
    calls.push_back(call);
    if (calls.size() - 1 != faultAt_) {
        return false;
    }
    if (fault_ == Fault::kEndProcess) {
        _exit(kEndedExitCode);
    }
    errno = ENOSPC;
    return true;
}

int StagedFileSystem::Open(const char* path, int flags, mode_t mode) {
    const std::string role = Role(path);
    if (Fails("open " + role)) {
        return -1;
    }
    const int fd = PosixFileSystem::Open(path, flags, mode);
    if (fd >= 0) {
        roles_[fd] = role;
    }
    return fd;
}

ssize_t StagedFileSystem::Write(int fd, const void* data, std::size_t size) {
    interrupted_ = !interrupted_;
    if (interrupted_) {
        errno = EINTR;
        return -1;
    }
    return Fails("write " + roles_[fd])
               ? -1
               : PosixFileSystem::Write(fd, data, std::min<std::size_t>(size, 1));
}

int StagedFileSystem::Close(int fd) {
    // Like the system's close, a failing one still releases the descriptor.
    const bool fails = Fails("close " + roles_[fd]);
    roles_.erase(fd);
    const int result = PosixFileSystem::Close(fd);
    errno = fails ? ENOSPC : errno;
    return fails ? -1 : result;
}

} // namespace marvesto::testing
