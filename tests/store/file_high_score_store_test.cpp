// Reading and writing "Print.txt": which numbers a file yields at start-up,
// and the exact bytes a save leaves behind.
#include "file_high_score_store.h"
#include "files.h"
#include "stderr_capture.h"
#include "store_faults.h"
#include "suites.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace fs = std::filesystem;

Q_DECLARE_METATYPE(std::string)

namespace {

Currency Cents(std::int64_t cents) {
    return Currency::FromScaled(cents * 100);
}

// A scratch directory holding at most a "Print.txt", and a store on it that
// collects its reports.
struct Scratch {
    Scratch() { QVERIFY(directory.isValid()); }

    fs::path Dir() const { return directory.path().toStdString(); }
    fs::path File() const { return Dir() / "Print.txt"; }
    FileHighScoreStore Store() {
        return FileHighScoreStore(File(), [this](const std::string& m) { reports.push_back(m); });
    }

    QTemporaryDir directory;
    std::vector<std::string> reports;
};

// The text as a text editor saves it in UTF-16, with its byte-order mark.
std::string Utf16(std::string_view ascii, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        bytes += bigEndian ? '\0' : c;
        bytes += bigEndian ? c : '\0';
    }
    return bytes;
}

const std::string kMissing = "<missing>";
const std::string kDirectory = "<directory>";

} // namespace

class FileHighScoreStoreTest : public QObject {
    Q_OBJECT

private slots:
    void load_data() {
        QTest::addColumn<std::string>("content");
        QTest::addColumn<float>("expected");
        QTest::addColumn<std::string>("reportedReason");
        QTest::addColumn<bool>("warned");

        const std::string none;
        QTest::newRow("as the game writes it")
            << std::string(" 200000\r\n") << 200000.0F << none << false;
        QTest::newRow("zero") << std::string("0") << 0.0F << none << false;
        QTest::newRow("zero as the game writes it")
            << std::string(" 0\r\n") << 0.0F << none << false;
        QTest::newRow("without the blank") << std::string("16356\r\n") << 16356.0F << none << false;
        QTest::newRow("LF only") << std::string(" 16356\n") << 16356.0F << none << false;
        QTest::newRow("no line end") << std::string(" 16356") << 16356.0F << none << false;
        QTest::newRow("further lines")
            << std::string(" 5000\r\n 7000\r\nnotes\r\n") << 5000.0F << none << false;
        QTest::newRow("blanks and tabs before it")
            << std::string("   \t  42\r\n") << 42.0F << none << false;
        QTest::newRow("empty lines before it")
            << std::string("\r\n\n 42\r\n") << 42.0F << none << false;
        QTest::newRow("byte-order mark")
            << std::string("\xEF\xBB\xBF 16356\r\n") << 16356.0F << none << false;
        QTest::newRow("byte-order mark, no blank") << std::string("\xEF\xBB\xBF"
                                                                  "7\r\n")
                                                   << 7.0F << none << false;
        QTest::newRow("UTF-16, little-endian")
            << Utf16(" 16356\r\n", false) << 16356.0F << none << false;
        QTest::newRow("UTF-16, big-endian")
            << Utf16("16356\r\n", true) << 16356.0F << none << false;
        QTest::newRow("UTF-16 text") << Utf16("high score", false) << 0.0F << none << true;
        QTest::newRow("starting with a NUL")
            << std::string("\0 5000\r\n", 8) << 0.0F << none << true;
        QTest::newRow("negative") << std::string("-5\r\n") << -5.0F << none << false;
        QTest::newRow("plus sign") << std::string("+5\r\n") << 5.0F << none << false;
        QTest::newRow("fifty cents") << std::string(" .5\r\n") << 0.5F << none << false;
        QTest::newRow("fifty cents with a zero") << std::string("0.5") << 0.5F << none << false;
        QTest::newRow("negative fifty cents") << std::string("-.5") << -0.5F << none << false;
        QTest::newRow("point without decimals") << std::string("12.\r\n") << 12.0F << none << false;
        QTest::newRow("text after the number")
            << std::string(" 12abc\r\n") << 12.0F << none << false;
        QTest::newRow("second number on the line")
            << std::string("5 7\r\n") << 5.0F << none << false;
        QTest::newRow("exponent form")
            << std::string(" 1.234568E+07\r\n") << 12345680.0F << none << false;
        QTest::newRow("small exponent letter") << std::string("2e3") << 2000.0F << none << false;
        QTest::newRow("exponent without digits") << std::string(" 3E\r\n") << 3.0F << none << false;
        QTest::newRow("exponent sign without digits")
            << std::string(" 3E+x") << 3.0F << none << false;
        QTest::newRow("rounded to single precision")
            << std::string("16777217") << 16777216.0F << none << false;
        QTest::newRow("largest single")
            << std::string("3.4028234E+38") << 3.4028234E+38F << none << false;
        QTest::newRow("beyond single range") << std::string(" 1E+39\r\n") << 0.0F << none << true;
        QTest::newRow("beyond single range, negative")
            << std::string("-1E+39") << 0.0F << none << true;
        QTest::newRow("hundreds of digits") << std::string(400, '9') << 0.0F << none << true;
        QTest::newRow("missing file") << kMissing << 0.0F << none << false;
        QTest::newRow("empty file") << std::string() << 0.0F << none << false;
        QTest::newRow("blanks only") << std::string("  \r\n") << 0.0F << none << false;
        QTest::newRow("text") << std::string("high score\r\n") << 0.0F << none << true;
        QTest::newRow("lone minus sign") << std::string("-\r\n") << 0.0F << none << true;
        QTest::newRow("lone point") << std::string(" .\r\n") << 0.0F << none << true;
        QTest::newRow("infinity spelt out") << std::string(" Infinity\r\n") << 0.0F << none << true;
        QTest::newRow("not a number spelt out") << std::string(" NaN\r\n") << 0.0F << none << true;
        QTest::newRow("hexadecimal") << std::string("0x10") << 0.0F << none << false;
        QTest::newRow("a directory of that name")
            << kDirectory << 0.0F << std::string("Is a directory") << false;
    }

    // A file the game cannot use starts the game at 0 and is left exactly as
    // it was; a file that exists but cannot be read is worth a report, and one
    // that holds something other than a number a line on standard error, as
    // the next high score will replace what it holds.
    void load() {
        QFETCH(std::string, content);
        QFETCH(float, expected);
        QFETCH(std::string, reportedReason);
        QFETCH(bool, warned);
        Scratch scratch;
        if (content == kDirectory) {
            fs::create_directory(scratch.File());
        } else if (content != kMissing) {
            WriteBytes(scratch.File(), content);
        }

        StderrCapture standardError;
        const float loaded = scratch.Store().Load();
        const std::vector<std::string> warnings = standardError.Finish();

        QCOMPARE_EQ(loaded, expected);
        if (warned) {
            QCOMPARE(warnings.size(), std::size_t{1});
            QCOMPARE(warnings.front(), "marvesto: \"" + scratch.File().string() +
                                           "\" holds no number, so the game starts with a high "
                                           "score of 0; a new high score will replace it.");
        } else {
            QCOMPARE(warnings, std::vector<std::string>{});
        }
        if (reportedReason.empty()) {
            QCOMPARE(scratch.reports, std::vector<std::string>{});
        } else {
            QCOMPARE(scratch.reports.size(), std::size_t{1});
            const std::string& report = scratch.reports.front();
            QVERIFY2(QString::fromStdString(report).contains(
                         QStringLiteral("\"%1\"").arg(QString::fromStdString(scratch.File()))),
                     report.c_str());
            QVERIFY2(report.find(reportedReason) != std::string::npos, report.c_str());
        }
        if (content == kMissing) {
            QVERIFY(!fs::exists(scratch.File()));
        } else if (content == kDirectory) {
            QVERIFY(fs::is_directory(scratch.File()));
        } else {
            QCOMPARE(ReadBytes(scratch.File()), content);
        }
    }

    void save_data() {
        QTest::addColumn<std::string>("before");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<std::string>("after");

        QTest::newRow("into a missing file")
            << kMissing << qint64{1635600} << std::string(" 16356\r\n");
        QTest::newRow("fifty cents")
            << std::string(" 0\r\n") << qint64{50} << std::string(" .5\r\n");
        QTest::newRow("largest offer")
            << std::string(" 200000\r\n") << qint64{33333300} << std::string(" 333333\r\n");
        QTest::newRow("zero over a negative score")
            << std::string("-5") << qint64{0} << std::string(" 0\r\n");
        QTest::newRow("replaces further lines") << std::string(" 5000\r\n 7000\r\nnotes\r\n")
                                                << qint64{800000} << std::string(" 8000\r\n");
        QTest::newRow("replaces a longer number")
            << std::string(" 1.234568E+07\r\n") << qint64{100} << std::string(" 1\r\n");
    }

    void save() {
        QFETCH(std::string, before);
        QFETCH(qint64, cents);
        QFETCH(std::string, after);
        Scratch scratch;
        if (before != kMissing) {
            WriteBytes(scratch.File(), before);
        }

        scratch.Store().Save(Cents(cents));

        QCOMPARE(ReadBytes(scratch.File()), after);
        QCOMPARE(EntriesIn(scratch.Dir()), std::vector<std::string>{"Print.txt"});
        QCOMPARE(scratch.reports, std::vector<std::string>{});
    }

    // Every amount the game can win reads back unchanged at the next start.
    void savedAmountsReadBack() {
        Scratch scratch;
        for (const std::int64_t cents : {50LL, 100LL, 1635600LL, 20000000LL, 33333300LL}) {
            scratch.Store().Save(Cents(cents));
            QCOMPARE_EQ(scratch.Store().Load(), static_cast<float>(cents) / 100.0F);
        }
    }

    // A player who restricted who may read the score keeps that restriction,
    // and a game run by root in a player's folder leaves the file the
    // player's, who could otherwise never replace it again.
    void saveKeepsOwnerGroupAndMode() {
        Scratch scratch;
        WriteBytes(scratch.File(), " 100\r\n");
        const bool root = ::geteuid() == 0;
        const uid_t owner = root ? 1234 : ::geteuid();
        const gid_t group = root ? 5678 : ::getegid();
        QCOMPARE(::chown(scratch.File().c_str(), owner, group), 0);
        QCOMPARE(::chmod(scratch.File().c_str(), 0640), 0);

        scratch.Store().Save(Cents(20000));

        QCOMPARE(ReadBytes(scratch.File()), std::string(" 200\r\n"));
        struct stat status {};
        QCOMPARE(::stat(scratch.File().c_str(), &status), 0);
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
        Scratch scratch;
        const fs::path node = scratch.Dir() / "node";
        const dev_t device = kind == S_IFCHR ? makedev(1, 3) : 0;
        QCOMPARE(::mknod(node.c_str(), static_cast<mode_t>(kind) | 0666, device), 0);
        fs::create_symlink("node", scratch.File());

        scratch.Store().Save(Cents(20000));

        struct stat status {};
        QCOMPARE(::lstat(node.c_str(), &status), 0);
        QCOMPARE(static_cast<int>(status.st_mode & S_IFMT), kind);
        QCOMPARE(status.st_rdev, device);
        QCOMPARE(EntriesIn(scratch.Dir()), (std::vector<std::string>{"Print.txt", "node"}));
        QCOMPARE(scratch.reports.size(), std::size_t{1});
        QCOMPARE(scratch.reports.front(),
                 "Could not save the high score to \"" + scratch.File().string() +
                     "\": it is a device or a pipe, not an ordinary file, so it is left as it is.");
    }

    // A "Print.txt" that links to a score kept elsewhere stays a link, and the
    // score it links to is the one replaced.
    void saveThroughASymbolicLink() {
        Scratch scratch;
        fs::create_directory(scratch.Dir() / "shared");
        const fs::path kept = scratch.Dir() / "shared" / "scores.txt";
        WriteBytes(kept, " 100\r\n");
        fs::create_symlink(fs::path("shared") / "scores.txt", scratch.File());

        scratch.Store().Save(Cents(20000));

        QVERIFY(fs::is_symlink(fs::symlink_status(scratch.File())));
        QCOMPARE(ReadBytes(kept), std::string(" 200\r\n"));
        QCOMPARE(EntriesIn(scratch.Dir() / "shared"), std::vector<std::string>{"scores.txt"});
        QCOMPARE_EQ(scratch.Store().Load(), 200.0F);
    }
};

MARVESTO_TEST_SUITE(FileHighScoreStoreTest)
#include "file_high_score_store_test.moc"
