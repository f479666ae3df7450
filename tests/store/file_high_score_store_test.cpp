// Reading and writing "Print.txt": which numbers a file yields at start-up,
// and the exact bytes a save leaves behind.
#include "file_high_score_store.h"
#include "files.h"
#include "rule_test.h"
#include "stderr_capture.h"
#include "store_faults.h"
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace fs = std::filesystem;

namespace {

Currency Cents(std::int64_t cents) {
    return Currency::FromScaled(cents * 100);
}

// The text as a text editor saves it in UTF-16, with its byte-order mark.
std::string Utf16(std::string_view ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

// A file that holds no number: it loads as 0, with a warning.
const std::optional<float> kNoNumber;

struct LoadRow {
    const char* name;
    FileContent content;
    std::optional<float> loaded;
};

struct SaveRow {
    const char* name;
    FileContent before;
    std::int64_t cents;
    std::string after;
};

const std::vector<LoadRow> kLoadRows{
    {"as the game writes it", " 200000\r\n", 200000.0F},
    {"zero as the game writes it", " 0\r\n", 0.0F},
    {"no line end", " 16356", 16356.0F},
    {"further lines", " 5000\r\n 7000\r\nnotes\r\n", 5000.0F},
    {"blanks, tabs and empty lines before it", "\r\n\n  \t 42\r\n", 42.0F},
    {"byte-order mark", "\xEF\xBB\xBF 16356\r\n", 16356.0F},
    {"byte-order mark, no blank",
     "\xEF\xBB\xBF"
     "7\r\n",
     7.0F},
    {"UTF-16, little-endian", Utf16(" 16356\r\n", false), 16356.0F},
    {"UTF-16, big-endian", Utf16("16356\r\n", true), 16356.0F},
    {"UTF-16 text", Utf16("high score", false), kNoNumber},
    {"starting with a NUL", std::string("\0 5000\r\n", 8), kNoNumber},
    {"negative", "-5\r\n", -5.0F},
    {"plus sign", "+5\r\n", 5.0F},
    {"fifty cents", " .5\r\n", 0.5F},
    {"point without decimals", "12.\r\n", 12.0F},
    {"text after the number", " 12abc\r\n", 12.0F},
    {"exponent form", " 1.234568E+07\r\n", 12345680.0F},
    {"exponent sign without digits", " 3E+x", 3.0F},
    {"rounded to single precision", "16777217", 16777216.0F},
    {"largest single", "3.4028234E+38", 3.4028234E+38F},
    {"beyond single range", " 1E+39\r\n", kNoNumber},
    {"hundreds of digits", std::string(400, '9'), kNoNumber},
    {"missing file", std::nullopt, 0.0F},
    {"empty file", "", 0.0F},
    {"blanks only", "  \r\n", 0.0F},
    {"text", "high score\r\n", kNoNumber},
    {"lone point", " .\r\n", kNoNumber},
    {"infinity spelt out", " Infinity\r\n", kNoNumber},
    {"not a number spelt out", " NaN\r\n", kNoNumber},
    {"hexadecimal", "0x10", 0.0F},
};

const std::vector<SaveRow> kSaveRows{
    {"into a missing file", std::nullopt, 1635600, " 16356\r\n"},
    {"one dollar", " 0\r\n", 100, " 1\r\n"},
    {"fifty cents", " 0\r\n", 50, " .5\r\n"},
    {"largest offer", " 200000\r\n", 33333300, " 333333\r\n"},
    {"zero over a negative score", "-5", 0, " 0\r\n"},
    {"replaces a longer text", " 1.234568E+07\r\n 7000\r\nnotes\r\n", 800000, " 8000\r\n"},
};

} // namespace

// A file the game cannot use starts the game at 0 and is left exactly as
// it was; one that holds something other than a number is worth a line on
// standard error, as the next high score will replace what it holds.
TEST_CASE("load") {
    for (const LoadRow& row : kLoadRows) {
        CAPTURE(row.name);
        const FileContent& content = row.content;
        const std::optional<float>& expected = row.loaded;
        ScoreFolder folder(content);

        StderrCapture standardError;
        const float loaded = folder.Store().Load();
        const std::vector<std::string> warnings = standardError.Finish();

        CHECK(loaded == expected.value_or(0.0F));
        const std::string warning = "marvesto: \"" + folder.File().string() +
                                    "\" holds no number, so the game starts with a high score of "
                                    "0; a new high score will replace it.";
        CHECK(warnings == (expected ? std::vector<std::string>{} : std::vector{warning}));
        CHECK(folder.reports == std::vector<std::string>{});
        CHECK(ReadBytes(folder.File()) == content.value_or(""));
        CHECK(fs::exists(folder.File()) == content.has_value());
    }
}

// The bytes a save leaves, which read back as the amount at the next start.
TEST_CASE("save") {
    for (const SaveRow& row : kSaveRows) {
        CAPTURE(row.name);
        const FileContent& before = row.before;
        const std::int64_t cents = row.cents;
        const std::string& after = row.after;
        ScoreFolder folder(before);

        folder.Store().Save(Cents(cents));

        CHECK(ReadBytes(folder.File()) == after);
        CHECK(EntriesIn(folder.Dir()) == std::vector<std::string>{"Print.txt"});
        CHECK(folder.Store().Load() == static_cast<float>(cents) / 100.0F);
        CHECK(folder.reports == std::vector<std::string>{});
    }
}

// A player who restricted who may read the score keeps that restriction,
// and a game run by root in a player's folder leaves the file the
// player's, who could otherwise never replace it again.
TEST_CASE("save keeps owner group and mode") {
    ScoreFolder folder(" 100\r\n");
    const bool root = ::geteuid() == 0;
    const uid_t owner = root ? 1234 : ::geteuid();
    const gid_t group = root ? 5678 : ::getegid();
    CHECK(::chown(folder.File().c_str(), owner, group) == 0);
    CHECK(::chmod(folder.File().c_str(), 0640) == 0);

    folder.Store().Save(Cents(20000));

    CHECK(ReadBytes(folder.File()) == std::string(" 200\r\n"));
    struct stat status {};
    CHECK(::stat(folder.File().c_str(), &status) == 0);
    CHECK((status.st_mode & 07777) == mode_t{0640});
    CHECK(status.st_uid == owner);
    CHECK(status.st_gid == group);
}

// "Print.txt" linked to /dev/null is a common way to keep no score; a save
// run by root turned the device into a file of eight bytes.
TEST_CASE("save leaves what is no file alone") {
    int kind = S_IFIFO;
    SUBCASE("device") {
        kind = S_IFCHR;
    }
    SUBCASE("named pipe") {
        kind = S_IFIFO;
    }
    if (kind == S_IFCHR && ::geteuid() != 0) {
        MESSAGE("skipped: only root may make a device node");
        return;
    }
    ScoreFolder folder;
    const fs::path node = folder.Dir() / "node";
    const dev_t device = kind == S_IFCHR ? makedev(1, 3) : 0;
    CHECK(::mknod(node.c_str(), static_cast<mode_t>(kind) | 0666, device) == 0);
    fs::create_symlink("node", folder.File());

    folder.Store().Save(Cents(20000));

    struct stat status {};
    CHECK(::lstat(node.c_str(), &status) == 0);
    CHECK(static_cast<int>(status.st_mode & S_IFMT) == kind);
    CHECK(status.st_rdev == device);
    CHECK(EntriesIn(folder.Dir()) == (std::vector<std::string>{"Print.txt", "node"}));
    CHECK(folder.reports ==
          std::vector<std::string>{folder.SaveFailure(
              "it is a device or a pipe, not an ordinary file, so it is left as it is.")});
}

// A "Print.txt" that links to a score kept elsewhere stays a link, and the
// score it links to is the one replaced.
TEST_CASE("save through a symbolic link") {
    ScoreFolder folder;
    fs::create_directory(folder.Dir() / "shared");
    const fs::path kept = folder.Dir() / "shared" / "scores.txt";
    WriteBytes(kept, " 100\r\n");
    fs::create_symlink(fs::path("shared") / "scores.txt", folder.File());

    folder.Store().Save(Cents(20000));

    CHECK(fs::is_symlink(fs::symlink_status(folder.File())));
    CHECK(ReadBytes(kept) == std::string(" 200\r\n"));
    CHECK(EntriesIn(folder.Dir() / "shared") == std::vector<std::string>{"scores.txt"});
    CHECK(folder.Store().Load() == 200.0F);
}
