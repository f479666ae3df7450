// The high score kept between runs in a one-number text file, "Print.txt" in
// the working directory. A missing or unreadable file, or one that holds no
// number, gives a high score of 0 and is left alone until a save beats it. A
// save replaces the file whole and at once, so a failure or a kill at any
// moment leaves either the old or the new high score in it.
#pragma once

#include "high_score_store.h"

#include <filesystem>
#include <functional>
#include <string>

namespace marvesto {

class FileHighScoreStore : public HighScoreStore {
public:
    // Hears of every read or save that failed; the message names the file and
    // the system's reason. The game goes on afterwards.
    using FailureReport = std::function<void(const std::string& message)>;

    explicit FileHighScoreStore(std::filesystem::path file, FailureReport report);

    float Load() override;
    void Save(Currency amount) override;

private:
    void Report(const std::string& message);

    std::filesystem::path file_;
    FailureReport report_;
};

} // namespace marvesto
