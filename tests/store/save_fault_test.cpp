// Saves that fail or die: whatever goes wrong, and whenever the process ends,
// "Print.txt" holds either the old line or the new one, never less; and a
// save that did not happen is reported, naming the file and the reason.
#include "file_high_score_store.h"
#include "file_replacement.h"
#include "files.h"
#include "rule_test.h"
#include "store_faults.h"
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace fs = std::filesystem;

namespace {

const std::string kOldLine = " 100\r\n";
const std::string kNewLine = " 16356\r\n";
const Currency kNewAmount = Currency::FromScaled(163560000);
const std::vector<std::string> kScoreOnly{"Print.txt"};

// One row for each call of a save: its number, its name, and whether the new
// line is already in place when it is made.
struct CallRow {
    int call;
    std::string name;
    bool afterRename;
};

std::vector<CallRow> RowPerCall() {
    ScoreFolder scratch(kOldLine);
    StagedFileSystem files(scratch.File());
    ReplaceFileContent(scratch.File(), kNewLine, files);
    std::vector<CallRow> rows;
    bool renamed = false;
    for (std::size_t i = 0; i < files.calls.size(); ++i) {
        const std::string& name = files.calls[i];
        rows.push_back({static_cast<int>(i), name, renamed});
        renamed = renamed || name.starts_with("rename");
    }
    return rows;
}

} // namespace

// Interrupted system calls and writes that take one byte at a time still
// leave the whole line, and it is on the disk before it takes the old
// line's place, which is made lasting after: a crash of the machine
// then leaves one line or the other, never an empty file.
TEST_CASE("interrupted save writes every byte and syncs") {
    ScoreFolder scratch(kOldLine);
    StagedFileSystem files(scratch.File());

    const FileReplacement result = ReplaceFileContent(scratch.File(), kNewLine, files);

    CHECK(result.replaced);
    CHECK(result.error == std::error_code());
    CHECK(ReadBytes(scratch.File()) == kNewLine);
    CHECK(std::count(files.calls.begin(), files.calls.end(), "write new file") ==
          static_cast<std::ptrdiff_t>(kNewLine.size()));
    CHECK(EntriesIn(scratch.Dir()) == kScoreOnly);
    const auto at = [&files](const char* call) {
        return std::find(files.calls.begin(), files.calls.end(), call) - files.calls.begin();
    };
    CHECK(at("fsync new file") < at("rename new file to Print.txt"));
    CHECK(at("rename new file to Print.txt") < at("fsync directory"));
    CHECK(at("fsync directory") + 1 == at("close directory"));
}

// The disk is full at that call. Closing what was only looked at, and
// opening or closing the directory to make the rename durable, may fail
// without harm to the value; any other failure keeps the old line,
// removes the new file and is returned as the save's error.
TEST_CASE("failing call") {
    for (const CallRow& row : RowPerCall()) {
        CAPTURE(row.name);
        const int call = row.call;
        const std::string& name = row.name;
        const bool afterRename = row.afterRename;
        ScoreFolder scratch(kOldLine);
        StagedFileSystem files(scratch.File(), static_cast<std::size_t>(call));

        const FileReplacement result = ReplaceFileContent(scratch.File(), kNewLine, files);

        CHECK(files.calls.at(static_cast<std::size_t>(call)) == name);
        const bool harmless =
            name == "close Print.txt" || name == "open directory" || name == "close directory";
        CHECK(result.replaced == (harmless || afterRename));
        CHECK(result.error ==
              (harmless ? std::error_code() : std::error_code(ENOSPC, std::system_category())));
        CHECK(ReadBytes(scratch.File()) == (harmless || afterRename ? kNewLine : kOldLine));
        CHECK(EntriesIn(scratch.Dir()) == kScoreOnly);
    }
}

// The process ends just before the call, as if killed there: the file
// holds one whole line, the next start and the next save work, and the
// next save takes away the new file the ended one left.
TEST_CASE("ended at each call") {
    for (const CallRow& row : RowPerCall()) {
        CAPTURE(row.name);
        const int call = row.call;
        const bool afterRename = row.afterRename;
        ScoreFolder scratch(kOldLine);

        const ChildOutcome outcome = RunInChild([&](const auto&) {
            StagedFileSystem files(scratch.File(), static_cast<std::size_t>(call),
                                   StagedFileSystem::Fault::kEndProcess);
            ReplaceFileContent(scratch.File(), kNewLine, files);
        });

        CHECK(outcome.exitCode == StagedFileSystem::kEndedExitCode);
        CHECK(ReadBytes(scratch.File()) == (afterRename ? kNewLine : kOldLine));
        CHECK(scratch.Store().Load() == (afterRename ? 16356.0F : 100.0F));
        scratch.Store().Save(Currency::FromScaled(2000000000));
        CHECK(ReadBytes(scratch.File()) == std::string(" 200000\r\n"));
        CHECK(scratch.reports == std::vector<std::string>{});
        CHECK(EntriesIn(scratch.Dir()) == kScoreOnly);
    }
}

// The new file of a game that is still saving, and files that only look
// alike, are not the save's to take away.
TEST_CASE("save leaves other files alone") {
    ScoreFolder scratch(kOldLine);
    const std::vector<std::string> others{"Print.txt.1-0.tmp", "Print.txt.x-0.tmp",
                                          "Print.txt.99999999-0.tmp.bak",
                                          "Other.txt.99999999-0.tmp"};
    for (const std::string& name : others) {
        WriteBytes(scratch.Dir() / name, kOldLine);
    }
    const std::vector<std::string> before = EntriesIn(scratch.Dir());

    scratch.Store().Save(kNewAmount);

    CHECK(EntriesIn(scratch.Dir()) == before);
}

// A file-size limit of 0 (ulimit -f 0), with SIGXFSZ ignored, makes
// every write fail.
TEST_CASE("write limit") {
    ScoreFolder scratch(kOldLine);

    const ChildOutcome outcome = RunInChild([&](const auto& report) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, 0};
        if (::setrlimit(RLIMIT_FSIZE, &none) != 0) {
            _exit(1);
        }
        FileHighScoreStore(scratch.File(), report).Save(kNewAmount);
    });

    CHECK(outcome.exitCode == 0);
    VerifyReport(outcome.reports, scratch.SaveFailure("File too large"));
    CHECK(ReadBytes(scratch.File()) == kOldLine);
    CHECK(EntriesIn(scratch.Dir()) == kScoreOnly);
}

// Run as a user whom the file modes bind. A read-only file keeps its
// value even where the directory would let it be replaced, and a file
// shared by a group stays the group's, so the next member can save.
TEST_CASE("unprivileged save") {
    struct Row {
        int fileMode;
        int directoryMode;
        bool shared;
        bool saved;
    };
    Row row{};
    SUBCASE("writable file and directory") {
        row = {0644, 0777, false, true};
    }
    SUBCASE("read-only file") {
        row = {0444, 0777, false, false};
    }
    SUBCASE("read-only directory") {
        row = {0666, 0555, false, false};
    }
    // root:group 0664 in a group-writable folder, saved by a member.
    SUBCASE("file and folder of a group") {
        row = {0664, 0775, true, true};
    }
    const int fileMode = row.fileMode;
    const int directoryMode = row.directoryMode;
    const bool shared = row.shared;
    const bool saved = row.saved;
    const bool root = ::geteuid() == 0;
    if (shared && !root) {
        MESSAGE("skipped: needs root to give the file to another owner and group");
        return;
    }
    ScoreFolder scratch(kOldLine);
    const gid_t group = shared ? kSharedGroupId : kUnprivilegedId;
    if (root) {
        CHECK(::chown(scratch.File().c_str(), shared ? 0 : kUnprivilegedId, group) == 0);
        CHECK(::chown(scratch.Dir().c_str(), 0, group) == 0);
    }
    fs::permissions(scratch.File(), static_cast<fs::perms>(fileMode));
    fs::permissions(scratch.Dir(), static_cast<fs::perms>(directoryMode));

    const ChildOutcome outcome = RunInChild([&](const auto& report) {
        BecomeUnprivileged(shared);
        FileHighScoreStore(scratch.File(), report).Save(kNewAmount);
    });

    CHECK(outcome.exitCode == 0);
    CHECK(ReadBytes(scratch.File()) == (saved ? kNewLine : kOldLine));
    if (saved) {
        CHECK(outcome.reports == std::vector<std::string>{});
    } else {
        VerifyReport(outcome.reports, scratch.SaveFailure("Permission denied"));
    }
    CHECK(EntriesIn(scratch.Dir()) == kScoreOnly);
    struct stat status {};
    CHECK(::stat(scratch.File().c_str(), &status) == 0);
    CHECK((status.st_mode & 07777) == static_cast<mode_t>(fileMode));
    if (root) {
        CHECK(status.st_uid == uid_t{kUnprivilegedId});
        CHECK(status.st_gid == group);
    }
}

// A file that is there but cannot be read starts the game at 0, says why
// and is left as it is.
TEST_CASE("unreadable file at start") {
    bool directory = false;
    std::string reason;
    SUBCASE("no right to read it") {
        directory = false;
        reason = "Permission denied";
    }
    SUBCASE("a directory of that name") {
        directory = true;
        reason = "Is a directory";
    }
    ScoreFolder scratch(directory ? std::nullopt : FileContent(kOldLine));
    if (directory) {
        fs::create_directory(scratch.File());
    }
    fs::permissions(scratch.File(), directory ? fs::perms::all : fs::perms::none);
    fs::permissions(scratch.Dir(), fs::perms::all);

    const ChildOutcome outcome = RunInChild([&](const auto& report) {
        BecomeUnprivileged();
        _exit(FileHighScoreStore(scratch.File(), report).Load() == 0.0F ? 0 : 1);
    });

    CHECK(outcome.exitCode == 0);
    VerifyReport(outcome.reports, "Could not read the high score from \"" +
                                      scratch.File().string() + "\": " + reason);
    CHECK(EntriesIn(scratch.Dir()) == kScoreOnly);
    fs::permissions(scratch.File(), fs::perms::owner_all);
    CHECK((directory ? fs::is_directory(scratch.File()) : ReadBytes(scratch.File()) == kOldLine));
}
