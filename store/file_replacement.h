// Replaces a file's whole content so that, whatever fails and whenever the
// process dies, the file holds either its old content or the new one. Each
// platform has its own way (posix/, win32/).
#pragma once

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
// puts it in the old one's place. Only a regular file is replaced: anything
// else in its place is left as it is, and so is a file that may not be
// written, even where the folder would allow the replacement. A save cut
// short leaves its new file behind; the next save removes it.
FileReplacement ReplaceFileContent(const std::filesystem::path& file, std::string_view content);

} // namespace marvesto
