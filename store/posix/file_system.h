// The few file-system calls a save makes, behind an interface so that tests
// can make any one of them fail or stop the process in the middle of a save.
// Each call behaves like the POSIX call of the same name: -1 and errno on
// failure.
#pragma once

#include "file_replacement.h"

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace marvesto {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual int Stat(const char* path, struct stat* status) = 0;
    virtual int Open(const char* path, int flags, mode_t mode) = 0;
    virtual int Fchown(int fd, uid_t owner, gid_t group) = 0;
    virtual int Fchmod(int fd, mode_t mode) = 0;
    virtual ssize_t Write(int fd, const void* data, std::size_t size) = 0;
    virtual int Fsync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const char* from, const char* to) = 0;
    virtual int Unlink(const char* path) = 0;
};

// The operating system's own calls.
class PosixFileSystem : public FileSystem {
public:
    int Stat(const char* path, struct stat* status) override;
    int Open(const char* path, int flags, mode_t mode) override;
    int Fchown(int fd, uid_t owner, gid_t group) override;
    int Fchmod(int fd, mode_t mode) override;
    ssize_t Write(int fd, const void* data, std::size_t size) override;
    int Fsync(int fd) override;
    int Close(int fd) override;
    int Rename(const char* from, const char* to) override;
    int Unlink(const char* path) override;
};

// ReplaceFileContent through these calls. A symbolic link keeps pointing to
// the file it names, which is replaced instead. The file's permission bits
// are kept, and its owner and group wherever the process may set them.
FileReplacement ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                                   FileSystem& files);

} // namespace marvesto
