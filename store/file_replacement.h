// Replaces a file's whole content so that, whatever fails and whenever the
// process dies, the file holds either its old content or the new one.
#pragma once

#include "file_system.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace marvesto {

struct FileReplacement {
    // True once the new content has taken the file's place.
    bool replaced = false;
    // Why the file was not replaced; or, if it was, why the system could not
    // confirm that the new content is safely on disk.
    std::error_code error;
};

// Writes the content to a new file beside the old one, flushes it to disk and
// renames it over the old one. Only a regular file is replaced: a device, a
// named pipe or a socket in its place is left as it is, and so is a file that
// may not be written, even where the directory would allow the rename. A
// symbolic link keeps pointing to the file it names, which is replaced
// instead. The file's permission bits are kept, and its owner and group
// wherever the process may set them.
FileReplacement ReplaceFileContent(const std::filesystem::path& file, std::string_view content,
                                   FileSystem& files);

} // namespace marvesto
