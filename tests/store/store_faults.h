// What the store's tests share: a scratch folder for "Print.txt", a child
// process to run a save in (as an unprivileged user if need be), and a file
// system that can fail or stop the process at any one of its calls.
#pragma once

#include "file_high_score_store.h"
#include "file_system.h"
#include "files.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace marvesto::testing {

// What "Print.txt" holds; nullopt when there is no such file.
using FileContent = std::optional<std::string>;

// A scratch folder that holds at most "Print.txt", and the reports of the
// stores made on it.
struct ScoreFolder {
    explicit ScoreFolder(const FileContent& content = std::nullopt);
    // Lets the folder be removed whatever modes a test gave it.
    ~ScoreFolder();

    std::filesystem::path Dir() const { return directory.Path(); }
    std::filesystem::path File() const { return Dir() / "Print.txt"; }
    FileHighScoreStore Store();
    // The start of the report of a save that failed for the reason.
    std::string SaveFailure(const std::string& reason) const;

    TemporaryFolder directory;
    std::vector<std::string> reports;
};

// Fails the test unless the reports are one that starts with `start`.
void VerifyReport(const std::vector<std::string>& reports, const std::string& start);

struct ChildOutcome {
    // -1 when a signal ended the child.
    int exitCode = -1;
    std::vector<std::string> reports;
};

// Runs the body in a forked child and waits for it. What the body hands to the
// report function comes back in the outcome.
ChildOutcome RunInChild(const std::function<void(const FileHighScoreStore::FailureReport&)>& body);

// The user "nobody", whom the file modes bind, unlike root.
constexpr unsigned kUnprivilegedId = 65534;
// A group the unprivileged user may be a member of besides its own.
constexpr unsigned kSharedGroupId = 100;
// In a child only: becomes the unprivileged user if running as root, a member
// of the shared group if asked; a child that cannot exits with 90.
void BecomeUnprivileged(bool inSharedGroup = false);

// Passes every call on to the system and records it by name and by the file it
// concerns: "Print.txt" for the target, "new file" for any other file and
// "directory" for a directory. Writes take at most one byte, and each is
// interrupted once first. The chosen call fails with ENOSPC, or the process
// ends just before it.
class StagedFileSystem : public PosixFileSystem {
public:
    enum class Fault { kFail, kEndProcess };
    static constexpr int kEndedExitCode = 42;

    explicit StagedFileSystem(std::filesystem::path target,
                              std::size_t faultAt = std::numeric_limits<std::size_t>::max(),
                              Fault fault = Fault::kFail)
        : target_(std::move(target)), faultAt_(faultAt), fault_(fault) {}

    std::vector<std::string> calls;

    int Stat(const char* path, struct stat* status) override {
        return Fails("stat " + Role(path)) ? -1 : PosixFileSystem::Stat(path, status);
    }
    int Open(const char* path, int flags, mode_t mode) override;
    int Fchown(int fd, uid_t owner, gid_t group) override {
        return Fails("fchown " + roles_[fd]) ? -1 : PosixFileSystem::Fchown(fd, owner, group);
    }
    int Fchmod(int fd, mode_t mode) override {
        return Fails("fchmod " + roles_[fd]) ? -1 : PosixFileSystem::Fchmod(fd, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override;
    int Fsync(int fd) override {
        return Fails("fsync " + roles_[fd]) ? -1 : PosixFileSystem::Fsync(fd);
    }
    int Close(int fd) override;
    int Rename(const char* from, const char* to) override {
        return Fails("rename " + Role(from) + " to " + Role(to))
                   ? -1
                   : PosixFileSystem::Rename(from, to);
    }
    int Unlink(const char* path) override {
        return Fails("unlink " + Role(path)) ? -1 : PosixFileSystem::Unlink(path);
    }

private:
    std::string Role(const std::filesystem::path& path) const;
    // Records the call; true if it is to fail, with errno set.
    bool Fails(const std::string& call);

    std::filesystem::path target_;
    std::size_t faultAt_;
    Fault fault_;
    std::map<int, std::string> roles_;
    // Whether the last write was interrupted; every other one is.
    bool interrupted_ = false;
};

} // namespace marvesto::testing
