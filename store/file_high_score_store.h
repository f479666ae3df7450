// The high score kept between runs in a one-number text file, "Print.txt" in
// the working directory.
#pragma once

#include "high_score_store.h"

#include <filesystem>
#include <functional>
#include <string>

namespace marvesto {

class FileHighScoreStore : public HighScoreStore {
public:
    // Tells the player that a save failed; the message names the file and the
    // system's reason. The game goes on afterwards.
    using FailureReport = std::function<void(const std::string& message)>;

    explicit FileHighScoreStore(std::filesystem::path file, FailureReport report);

    float Load() override;
    void Save(Currency amount) override;

private:
    std::filesystem::path file_;
    FailureReport report_;
};

} // namespace marvesto
