#include "file_system.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace marvesto {

int PosixFileSystem::Stat(const char* path, struct stat* status) {
    return ::stat(path, status);
}

int PosixFileSystem::Open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

int PosixFileSystem::Fchown(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}

int PosixFileSystem::Fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

ssize_t PosixFileSystem::Write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int PosixFileSystem::Fsync(int fd) {
    return ::fsync(fd);
}

int PosixFileSystem::Close(int fd) {
    return ::close(fd);
}

int PosixFileSystem::Rename(const char* from, const char* to) {
    return std::rename(from, to);
}

int PosixFileSystem::Unlink(const char* path) {
    return ::unlink(path);
}

} // namespace marvesto
