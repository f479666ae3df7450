// What the store's tests share: a child process to run a save in (as an
// unprivileged user if need be), and a file system that can fail or stop the
// process at any one of its calls.
#pragma once

#include "file_high_score_store.h"
#include "file_system.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace marvesto::testing {

struct ChildOutcome {
    bool exited = false;
    int exitCode = -1;
    int signal = 0;
    std::vector<std::string> reports;
};

// Exit code of a child that could not become the unprivileged user.
constexpr int kCouldNotDropPrivileges = 90;
// Exit code of a child whose body threw.
constexpr int kBodyThrew = 91;

// Runs the body in a forked child and waits for it. What the body hands to the
// report function comes back in the outcome.
ChildOutcome RunInChild(const std::function<void(const FileHighScoreStore::FailureReport&)>& body);

// The user "nobody", whom the file modes bind, unlike root.
constexpr unsigned kUnprivilegedId = 65534;
// A group the unprivileged user may be a member of besides its own.
constexpr unsigned kSharedGroupId = 100;
// In a child only: becomes the unprivileged user if running as root, a member
// of the shared group if asked, and leaves the child with
// kCouldNotDropPrivileges if that fails.
void BecomeUnprivileged(bool inSharedGroup = false);

// Passes every call on to the system and records it by name and by the file it
// concerns: "Print.txt" for the target, "new file" for any other file and
// "directory" for a directory. One chosen call can fail with a chosen error
// or end the process before it is made.
class StagedFileSystem : public PosixFileSystem {
public:
    enum class Fault { kFail, kEndProcess };
    static constexpr int kEndedExitCode = 42;

    explicit StagedFileSystem(std::filesystem::path target) : target_(std::move(target)) {}

    // Writes at most one byte per call, and is interrupted before every byte.
    bool trickle = false;
    std::size_t faultAt = std::numeric_limits<std::size_t>::max();
    Fault fault = Fault::kFail;
    int faultError = 0;
    std::vector<std::string> calls;

    int Stat(const char* path, struct stat* status) override;
    int Open(const char* path, int flags, mode_t mode) override;
    int Fchown(int fd, uid_t owner, gid_t group) override;
    int Fchmod(int fd, mode_t mode) override;
    ssize_t Write(int fd, const void* data, std::size_t size) override;
    int Fsync(int fd) override;
    int Close(int fd) override;
    int Rename(const char* from, const char* to) override;
    int Unlink(const char* path) override;

private:
    std::string Role(const std::filesystem::path& path) const;
    // Records the call; true if it is to fail, with errno set.
    bool Intercept(const std::string& call);

    std::filesystem::path target_;
    std::map<int, std::string> roles_;
    bool interruptNext_ = true;
};

} // namespace marvesto::testing
