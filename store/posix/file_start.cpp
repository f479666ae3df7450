#include "file_start.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace marvesto {

FileStart ReadFileStart(const std::filesystem::path& file, std::size_t limit) {
    FileStart start;
    // Non-blocking, so that a named pipe in the file's place cannot hang the game.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        start.error = {errno, std::system_category()};
        return start;
    }
    start.bytes.resize(limit);
    std::size_t filled = 0;
    while (filled < limit) {
        const ssize_t got = ::read(fd, start.bytes.data() + filled, limit - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            start.error = {errno, std::system_category()};
            break;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    start.bytes.resize(filled);
    return start;
}

} // namespace marvesto
