// Whole games played against the real high-score file: what start-up shows,
// when a deal or the last case rewrites the file, and what the next start
// shows.
#include "file_high_score_store.h"
#include "files.h"
#include "game_rig.h"
#include "rule_test.h"
#include "store_faults.h"
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace fs = std::filesystem;

namespace {

// The worked example up to its first offer, $16,356.
const std::vector<int> kOfferOf16356(WorkedExample().begin(),
                                     WorkedExample().begin() + kClicksToFirstOffer);
// The second offer of this drawing, with offer factors 1 and 2, is $222,222.
const std::vector<int> kOfferOf222222{1, 2, 3, 4, 5, 6, 7, 26, 25, 24, 23};
// The own case holds 50 cents.
const std::vector<int> kOwnFiftyCents{26, 4, 12, 21, 5,  23, 2,  1,  8,  19, 16, 3,  6,
                                      7,  9, 10, 11, 13, 14, 15, 17, 18, 20, 22, 24, 25};

// One game with the real store on the folder's file.
struct FileGame {
    explicit FileGame(ScoreFolder& folder) : store(folder.Store()) { rig.Start(); }

    // From the start of the game: scripts the draws and clicks cases 1, 2, ..,
    // one for each prize.
    void Play(const std::vector<int>& prizes, const std::vector<int>& factors = {}) {
        rig.ScriptPrizes(prizes, factors);
        rig.ClickNext(static_cast<int>(prizes.size()));
    }

    std::string HighScoreCaption() const { return rig.board.Caption(kHighScore); }

    FileHighScoreStore store;
    GameRig rig{{.store = &store}};
};

ino_t InodeOf(const fs::path& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
}

// A fresh folder for each game, without "Print.txt" until the test writes it.
struct ScoreFile {
    ScoreFolder folder_;
    fs::path file_ = folder_.File();
};

} // namespace

TEST_CASE_FIXTURE(ScoreFile, "deal against the stored score") {
    std::string stored;
    std::string afterDeal;
    SUBCASE("equal amount is not written") {
        stored = afterDeal = "16356.0000\n";
    }
    SUBCASE("one dollar more is written") {
        stored = " 16355\r\n";
        afterDeal = " 16356\r\n";
    }
    SUBCASE("a file without a number is beaten") {
        stored = "garbage\r\n";
        afterDeal = " 16356\r\n";
    }
    WriteBytes(file_, stored);
    const ino_t before = InodeOf(file_);
    FileGame play(folder_);
    play.Play(kOfferOf16356);

    play.rig.game.Label28_Click();

    CHECK(ReadBytes(file_) == afterDeal);
    if (stored == afterDeal) {
        CHECK(InodeOf(file_) == before);
    }
    CHECK(folder_.reports == std::vector<std::string>{});
}

// The deal saves before its cue and again once the final screen is built;
// both saves replace the whole file, so one line is left.
TEST_CASE_FIXTURE(ScoreFile, "deal writes twice and leaves one line") {
    WriteBytes(file_, " 100\r\nnotes the player added\r\n");
    FileGame play(folder_);
    play.Play(kOfferOf16356);
    std::string duringDealCue;
    ino_t inodeDuringDealCue = 0;
    play.rig.cues.whilePlaying = [&](const std::string& cue) {
        if (cue == "DEAL.wav") {
            duringDealCue = ReadBytes(file_);
            inodeDuringDealCue = InodeOf(file_);
        }
    };

    play.rig.game.Label28_Click();

    CHECK(duringDealCue == std::string(" 16356\r\n"));
    CHECK(ReadBytes(file_) == std::string(" 16356\r\n"));
    CHECK(InodeOf(file_) != inodeDuringDealCue);
    CHECK(EntriesIn(file_.parent_path()) == std::vector<std::string>{"Print.txt"});
}

// The score on screen stays the one read at start-up; the next run of
// the program shows the new one.
TEST_CASE_FIXTURE(ScoreFile, "next start shows the new score") {
    WriteBytes(file_, " 200000\r\n");
    {
        FileGame play(folder_);
        CHECK(play.HighScoreCaption() == std::string("HISCORE: 200000"));
        play.Play(kOfferOf222222, {1, 2});
        play.rig.game.Label28_Click();
        CHECK(play.HighScoreCaption() == std::string("HISCORE: 200000"));
        play.rig.game.Label33_Click();
    }
    CHECK(ReadBytes(file_) == std::string(" 222222\r\n"));

    FileGame next(folder_);
    CHECK(next.HighScoreCaption() == std::string("HISCORE: 222222"));
}

// Without a file the game starts at 0 and creates none; the first score
// above 0, here 50 cents from the last case, creates it.
TEST_CASE_FIXTURE(ScoreFile, "first win creates the file") {
    FileGame play(folder_);
    CHECK(play.HighScoreCaption() == std::string("HISCORE: 0"));
    CHECK(!fs::exists(file_));

    play.Play(kOwnFiftyCents);

    CHECK(play.rig.board.Caption(kResult) == std::string("               YOU WIN!! $ .5"));
    CHECK(ReadBytes(file_) == std::string(" .5\r\n"));
    FileGame next(folder_);
    CHECK(next.HighScoreCaption() == std::string("HISCORE: .5"));
}

// Both saves of the deal fail and are told (the window tells the player
// once), and the game still reaches its final screen and its end.
TEST_CASE_FIXTURE(ScoreFile, "failed save lets the game end") {
    fs::create_directory(file_);
    FileGame play(folder_);
    CHECK(folder_.reports.size() == std::size_t{1});
    play.Play(kOfferOf16356);

    play.rig.game.Label28_Click();
    play.rig.game.Label33_Click();

    CHECK(folder_.reports.size() == std::size_t{3});
    CHECK(folder_.reports.at(1) == folder_.reports.at(2));
    CHECK_MESSAGE(folder_.reports.back().starts_with(folder_.SaveFailure("Is a directory")),
                  folder_.reports.back().c_str());
    CHECK(play.rig.board.IsShown(kResult));
    CHECK(play.rig.board.Caption(kResult) == std::string("YOU WIN!! $ 16356"));
    CHECK(play.rig.end.quits == 1);
    CHECK(fs::is_directory(file_));
}
