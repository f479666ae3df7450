// Reading and writing "Print.txt": which numbers a file yields at start-up,
// and the exact bytes a save leaves behind.
#include "file_high_score_store.h"
#include "files.h"
#include "stderr_capture.h"
#include "store_faults.h"
#include "suites.h"

#include <QTest>

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

void LoadRow(const char* name, const FileContent& content, std::optional<float> loaded) {
    QTest::newRow(name) << content << loaded;
}

void SaveRow(const char* name, const FileContent& before, qint64 cents, const std::string& after) {
    QTest::newRow(name) << before << cents << after;
}

} // namespace

class FileHighScoreStoreTest : public QObject {
    Q_OBJECT

private slots:
    void load_data() {
        QTest::addColumn<FileContent>("content");
        QTest::addColumn<std::optional<float>>("expected");
        LoadRow("as the game writes it", " 200000\r\n", 200000.0F);
        LoadRow("zero as the game writes it", " 0\r\n", 0.0F);
        LoadRow("no line end", " 16356", 16356.0F);
        LoadRow("further lines", " 5000\r\n 7000\r\nnotes\r\n", 5000.0F);
        LoadRow("blanks, tabs and empty lines before it", "\r\n\n  \t 42\r\n", 42.0F);
        LoadRow("byte-order mark", "\xEF\xBB\xBF 16356\r\n", 16356.0F);
        LoadRow("byte-order mark, no blank",
                "\xEF\xBB\xBF"
                "7\r\n",
                7.0F);
        LoadRow("UTF-16, little-endian", Utf16(" 16356\r\n", false), 16356.0F);
        LoadRow("UTF-16, big-endian", Utf16("16356\r\n", true), 16356.0F);
        LoadRow("UTF-16 text", Utf16("high score", false), kNoNumber);
        LoadRow("starting with a NUL", std::string("\0 5000\r\n", 8), kNoNumber);
        LoadRow("negative", "-5\r\n", -5.0F);
        LoadRow("plus sign", "+5\r\n", 5.0F);
        LoadRow("fifty cents", " .5\r\n", 0.5F);
        LoadRow("point without decimals", "12.\r\n", 12.0F);
        LoadRow("text after the number", " 12abc\r\n", 12.0F);
        LoadRow("exponent form", " 1.234568E+07\r\n", 12345680.0F);
        LoadRow("exponent sign without digits", " 3E+x", 3.0F);
        LoadRow("rounded to single precision", "16777217", 16777216.0F);
        LoadRow("largest single", "3.4028234E+38", 3.4028234E+38F);
        LoadRow("beyond single range", " 1E+39\r\n", kNoNumber);
        LoadRow("hundreds of digits", std::string(400, '9'), kNoNumber);
        LoadRow("missing file", std::nullopt, 0.0F);
        LoadRow("empty file", "", 0.0F);
        LoadRow("blanks only", "  \r\n", 0.0F);
        LoadRow("text", "high score\r\n", kNoNumber);
        LoadRow("lone point", " .\r\n", kNoNumber);
        LoadRow("infinity spelt out", " Infinity\r\n", kNoNumber);
        LoadRow("not a number spelt out", " NaN\r\n", kNoNumber);
        LoadRow("hexadecimal", "0x10", 0.0F);
    }

    // A file the game cannot use starts the game at 0 and is left exactly as
    // it was; one that holds something other than a number is worth a line on
    // standard error, as the next high score will replace what it holds.
    void load() {
        QFETCH(FileContent, content);
        QFETCH(std::optional<float>, expected);
        ScoreFolder folder(content);

        StderrCapture standardError;
        const float loaded = folder.Store().Load();
        const std::vector<std::string> warnings = standardError.Finish();

        QCOMPARE_EQ(loaded, expected.value_or(0.0F));
        const std::string warning = "marvesto: \"" + folder.File().string() +
                                    "\" holds no number, so the game starts with a high score of "
                                    "0; a new high score will replace it.";
        QCOMPARE(warnings, expected ? std::vector<std::string>{} : std::vector{warning});
        QCOMPARE(folder.reports, std::vector<std::string>{});
        QCOMPARE(ReadBytes(folder.File()), content.value_or(""));
        QCOMPARE(fs::exists(folder.File()), content.has_value());
    }

    void save_data() {
        QTest::addColumn<FileContent>("before");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<std::string>("after");
        SaveRow("into a missing file", std::nullopt, 1635600, " 16356\r\n");
        SaveRow("one dollar", " 0\r\n", 100, " 1\r\n");
        SaveRow("fifty cents", " 0\r\n", 50, " .5\r\n");
        SaveRow("largest offer", " 200000\r\n", 33333300, " 333333\r\n");
        SaveRow("zero over a negative score", "-5", 0, " 0\r\n");
        SaveRow("replaces a longer text", " 1.234568E+07\r\n 7000\r\nnotes\r\n", 800000,
                " 8000\r\n");
    }

    // The bytes a save leaves, which read back as the amount at the next start.
    void save() {
        QFETCH(FileContent, before);
        QFETCH(qint64, cents);
        QFETCH(std::string, after);
        ScoreFolder folder(before);

        folder.Store().Save(Cents(cents));

        QCOMPARE(ReadBytes(folder.File()), after);
        QCOMPARE(EntriesIn(folder.Dir()), std::vector<std::string>{"Print.txt"});
        QCOMPARE_EQ(folder.Store().Load(), static_cast<float>(cents) / 100.0F);
        QCOMPARE(folder.reports, std::vector<std::string>{});
    }

    // A player who restricted who may read the score keeps that restriction,
    // and a game run by root in a player's folder leaves the file the
    // player's, who could otherwise never replace it again.
    void saveKeepsOwnerGroupAndMode() {
        ScoreFolder folder(" 100\r\n");
        const bool root = ::geteuid() == 0;
        const uid_t owner = root ? 1234 : ::geteuid();
        const gid_t group = root ? 5678 : ::getegid();
        QCOMPARE(::chown(folder.File().c_str(), owner, group), 0);
        QCOMPARE(::chmod(folder.File().c_str(), 0640), 0);

        folder.Store().Save(Cents(20000));

        QCOMPARE(ReadBytes(folder.File()), std::string(" 200\r\n"));
        struct stat status {};
        QCOMPARE(::stat(folder.File().c_str(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t{0640});
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
    }

    void saveLeavesWhatIsNoFileAlone_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("device") << int{S_IFCHR};
        QTest::newRow("named pipe") << int{S_IFIFO};
    }

    // "Print.txt" linked to /dev/null is a common way to keep no score; a save
    // run by root turned the device into a file of eight bytes.
    void saveLeavesWhatIsNoFileAlone() {
        QFETCH(int, kind);
        if (kind == S_IFCHR && ::geteuid() != 0) {
            QSKIP("only root may make a device node");
        }
        ScoreFolder folder;
        const fs::path node = folder.Dir() / "node";
        const dev_t device = kind == S_IFCHR ? makedev(1, 3) : 0;
        QCOMPARE(::mknod(node.c_str(), static_cast<mode_t>(kind) | 0666, device), 0);
        fs::create_symlink("node", folder.File());

        folder.Store().Save(Cents(20000));

        struct stat status {};
        QCOMPARE(::lstat(node.c_str(), &status), 0);
        QCOMPARE(static_cast<int>(status.st_mode & S_IFMT), kind);
        QCOMPARE(status.st_rdev, device);
        QCOMPARE(EntriesIn(folder.Dir()), (std::vector<std::string>{"Print.txt", "node"}));
        QCOMPARE(folder.reports,
                 std::vector<std::string>{folder.SaveFailure(
                     "it is a device or a pipe, not an ordinary file, so it is left as it is.")});
    }

    // A "Print.txt" that links to a score kept elsewhere stays a link, and the
    // score it links to is the one replaced.
    void saveThroughASymbolicLink() {
        ScoreFolder folder;
        fs::create_directory(folder.Dir() / "shared");
        const fs::path kept = folder.Dir() / "shared" / "scores.txt";
        WriteBytes(kept, " 100\r\n");
        fs::create_symlink(fs::path("shared") / "scores.txt", folder.File());

        folder.Store().Save(Cents(20000));

        QVERIFY(fs::is_symlink(fs::symlink_status(folder.File())));
        QCOMPARE(ReadBytes(kept), std::string(" 200\r\n"));
        QCOMPARE(EntriesIn(folder.Dir() / "shared"), std::vector<std::string>{"scores.txt"});
        QCOMPARE_EQ(folder.Store().Load(), 200.0F);
    }
};

MARVESTO_TEST_SUITE(FileHighScoreStoreTest)
#include "file_high_score_store_test.moc"
