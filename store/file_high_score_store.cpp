#include "file_high_score_store.h"

#include "file_replacement.h"
#include "file_start.h"
#include "high_score_text.h"

#include <cstdio>
#include <utility>

namespace marvesto {

namespace {

// Far more than any line the game writes; blanks beyond this before a number
// make a file that holds no number.
constexpr std::size_t kReadLimit = std::size_t{64} * 1024;

std::string Quoted(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path shown = std::filesystem::absolute(file, error);
    std::string quoted(1, '"');
    // UTF-8 on every platform, whatever the system's code page.
    const std::u8string name = (error ? file : shown).u8string();
    quoted.append(name.begin(), name.end());
    quoted += '"';
    return quoted;
}

} // namespace

FileHighScoreStore::FileHighScoreStore(std::filesystem::path file, FailureReport report)
    : file_(std::move(file)), report_(std::move(report)) {}

float FileHighScoreStore::Load() {
    const FileStart start = ReadFileStart(file_, kReadLimit);
    if (start.error == std::errc::no_such_file_or_directory) {
        return 0.0F;
    }
    if (start.error) {
        Report("Could not read the high score from " + Quoted(file_) + ": " +
               start.error.message() + ". The game starts with a high score of 0.");
        return 0.0F;
    }
    const std::optional<float> score = HighScoreFromText(start.bytes);
    if (!score) {
        // Not worth stopping the player for, but whatever the file holds is
        // lost at the next high score, so it is said where it can be seen.
        std::fprintf(stderr,
                     "marvesto: %s holds no number, so the game starts with a high score of 0; a "
                     "new high score will replace it.\n",
                     Quoted(file_).c_str());
    }
    return score.value_or(0.0F);
}

void FileHighScoreStore::Save(Currency amount) {
    const FileReplacement replacement = ReplaceFileContent(file_, HighScoreLine(amount));
    if (!replacement.error) {
        return;
    }
    if (replacement.replaced) {
        Report("The high score was saved to " + Quoted(file_) +
               ", but the system could not confirm that it is safely on disk: " +
               replacement.error.message() + ".");
        return;
    }
    Report("Could not save the high score to " + Quoted(file_) + ": " +
           replacement.error.message() + ".");
}

void FileHighScoreStore::Report(const std::string& message) {
    if (report_) {
        report_(message);
    }
}

} // namespace marvesto
