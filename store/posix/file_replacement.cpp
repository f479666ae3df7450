#include "file_system.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>

namespace marvesto {

namespace {

namespace fs = std::filesystem;

// Enough tries to step over files left behind by earlier processes that were
// killed in the middle of a save and happened to have the same process id.
constexpr int kTemporaryNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;

std::error_code LastError() {
    return {errno, std::system_category()};
}

fs::path FileBehindLinks(const fs::path& file) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(file, error))) {
        fs::path target = fs::canonical(file, error);
        if (!error) {
            return target;
        }
    }
    return file;
}

class ReplacementCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "file replacement"; }
    std::string message(int /*condition*/) const override {
        return "it is a device or a pipe, not an ordinary file, so it is left as it is";
    }
};

std::error_code NotAnOrdinaryFile() {
    static const ReplacementCategory category;
    return {1, category};
}

fs::path DirectoryOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// What the new file takes over from the one it replaces.
struct Ownership {
    uid_t owner;
    gid_t group;
    mode_t permissions;
};

// A rename over a device or a pipe would put a file in its place, so the kind
// is looked at before anything opens the file: opening a device can itself
// act. The rename asks only the directory for permission, so the file's own
// is asked by opening it for writing, which changes nothing in it. Gives the
// existing file's ownership, or none when there is no file yet.
std::error_code CheckReplaceable(FileSystem& files, const fs::path& file,
                                 std::optional<Ownership>& ownership) {
    struct stat status {};
    if (files.Stat(file.c_str(), &status) != 0) {
        return errno == ENOENT ? std::error_code() : LastError();
    }
    if (S_ISDIR(status.st_mode)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    if (!S_ISREG(status.st_mode)) {
        return NotAnOrdinaryFile();
    }
    // Non-blocking, so that a pipe put in the file's place meanwhile cannot
    // hang the game.
    const int fd = files.Open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
    if (fd < 0) {
        return errno == ENOENT ? std::error_code() : LastError();
    }
    // Nothing was written through this descriptor, so closing it cannot fail
    // in a way that matters.
    files.Close(fd);
    ownership = Ownership{status.st_uid, status.st_gid, status.st_mode & 07777};
    return {};
}

// The name of the new content's file: "<file>.<process id>-<attempt>.tmp".
std::string TemporaryName(const fs::path& target, pid_t process, int attempt) {
    return target.filename().string() + "." + std::to_string(process) + "-" +
           std::to_string(attempt) + ".tmp";
}

// The process whose save made a file of that name, or 0 if no save did.
pid_t SavingProcess(std::string_view name, const fs::path& target) {
    const std::string stem = target.filename().string() + ".";
    if (!name.starts_with(stem)) {
        return 0;
    }
    const char* end = name.data() + name.size();
    pid_t process = 0;
    const auto [dash, processError] = std::from_chars(name.data() + stem.size(), end, process);
    if (processError != std::errc() || dash == end) {
        return 0;
    }
    int attempt = 0;
    const auto attemptError = std::from_chars(dash + 1, end, attempt).ec;
    return attemptError == std::errc() && name == TemporaryName(target, process, attempt) ? process
                                                                                          : 0;
}

// A save that was killed (a signal, a crash, a power cut) leaves its new file
// behind, and nothing can remove it at that moment; the next save removes
// those of processes that have ended. A file whose process is alive may be
// another game's save in progress.
void RemoveLeftovers(FileSystem& files, const fs::path& target) {
    std::error_code error;
    for (fs::directory_iterator entry(DirectoryOf(target), error), end; !error && entry != end;
         entry.increment(error)) {
        const pid_t process = SavingProcess(entry->path().filename().string(), target);
        if (process > 0 && ::kill(process, 0) != 0 && errno == ESRCH) {
            files.Unlink(entry->path().c_str());
        }
    }
}

// The new content's file until it is renamed into place; removed if it never is.
class TemporaryFile {
public:
    TemporaryFile(FileSystem& files, fs::path target) : files_(files), target_(std::move(target)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    ~TemporaryFile() {
        if (fd_ >= 0) {
            files_.Close(fd_);
        }
        if (!path_.empty()) {
            files_.Unlink(path_.c_str());
        }
    }

    std::error_code Create() {
        for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
            const fs::path candidate =
                target_.parent_path() / TemporaryName(target_, ::getpid(), attempt);
            fd_ = files_.Open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              kNewFileMode);
            if (fd_ >= 0) {
                path_ = candidate;
                return {};
            }
            if (errno != EEXIST) {
                return LastError();
            }
        }
        return std::make_error_code(std::errc::file_exists);
    }

    std::error_code Fill(std::string_view content, const std::optional<Ownership>& ownership) {
        if (ownership) {
            if (const auto error = TakeOver(*ownership)) {
                return error;
            }
        }
        while (!content.empty()) {
            const ssize_t written = files_.Write(fd_, content.data(), content.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written < 0) {
                return LastError();
            }
            if (written == 0) {
                return std::make_error_code(std::errc::io_error);
            }
            content.remove_prefix(static_cast<std::size_t>(written));
        }
        if (files_.Fsync(fd_) != 0) {
            return LastError();
        }
        const int fd = fd_;
        fd_ = -1;
        // After EINTR the descriptor is released all the same, and the data
        // has already reached the disk.
        if (files_.Close(fd) != 0 && errno != EINTR) {
            return LastError();
        }
        return {};
    }

    // Only root may give a file away, and only a member may give it to a
    // group: a group member saving a file the group shares keeps at least
    // the group, so the next member can still replace it. Changing the owner
    // clears the set-id bits, so the mode comes after.
    std::error_code TakeOver(const Ownership& ownership) {
        if (files_.Fchown(fd_, ownership.owner, ownership.group) != 0) {
            if (errno != EPERM) {
                return LastError();
            }
            if (files_.Fchown(fd_, static_cast<uid_t>(-1), ownership.group) != 0 &&
                errno != EPERM) {
                return LastError();
            }
        }
        return files_.Fchmod(fd_, ownership.permissions) == 0 ? std::error_code() : LastError();
    }

    std::error_code MoveIntoPlace() {
        if (files_.Rename(path_.c_str(), target_.c_str()) != 0) {
            return LastError();
        }
        path_.clear();
        return {};
    }

private:
    FileSystem& files_;
    fs::path target_;
    fs::path path_;
    int fd_ = -1;
};

// Makes the rename itself durable. A directory that cannot be opened, or a
// file system that cannot flush directories, is no failure of the save.
std::error_code SyncDirectory(FileSystem& files, const fs::path& directory) {
    const int fd = files.Open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) {
        return {};
    }
    std::error_code error;
    if (files.Fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        error = LastError();
    }
    // Read-only descriptor: its close has nothing left to lose.
    files.Close(fd);
    return error;
}

} // namespace

FileReplacement ReplaceFileContent(const fs::path& file, std::string_view content,
                                   FileSystem& files) {
    const fs::path target = FileBehindLinks(file);
    std::optional<Ownership> ownership;
    if (const auto error = CheckReplaceable(files, target, ownership)) {
        return {false, error};
    }
    RemoveLeftovers(files, target);
    TemporaryFile temporary(files, target);
    if (const auto error = temporary.Create()) {
        return {false, error};
    }
    if (const auto error = temporary.Fill(content, ownership)) {
        return {false, error};
    }
    if (const auto error = temporary.MoveIntoPlace()) {
        return {false, error};
    }
    return {true, SyncDirectory(files, DirectoryOf(target))};
}

FileReplacement ReplaceFileContent(const fs::path& file, std::string_view content) {
    PosixFileSystem files;
    return ReplaceFileContent(file, content, files);
}

} // namespace marvesto
