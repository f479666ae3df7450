// The launcher that ./play and an installed game start through: it enters the
// player's own folder, creating it, and brings the sound cues there without
// ever replacing one the folder already holds.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "display.h"
#include "files.h"
#include "suites.h"
#include "test_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>

using namespace marvesto::testing;

namespace {

// Looked up here through the C library, not the way the launcher does it.
QString HomeInUserDatabase() {
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_dir) : QString();
}

// pwd stands in for the game and tells where it was started.
ToolRun Launch(const QProcessEnvironment& environment, const QString& cues) {
    return RunTool(QString::fromUtf8(paths::kSource) + "/tools/marvesto-launch", {"/bin/pwd", cues},
                   environment);
}

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT

private slots:
    // "<root>" is the test's own folder; a null home leaves HOME unset. An
    // empty reason means the game starts.
    void startsInThePlayersFolder_data() {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("reason");
        const QString fromDatabase = HomeInUserDatabase() + "/.local/share/marvesto";
        QTest::newRow("XDG_DATA_HOME") << "<root>/home"
                                       << "<root>/data"
                                       << "<root>/data/marvesto"
                                       << "";
        QTest::newRow("default") << "<root>/home"
                                 << ""
                                 << "<root>/home/.local/share/marvesto"
                                 << "";
        QTest::newRow("relative XDG_DATA_HOME is ignored") << "<root>/home"
                                                           << "relative/data"
                                                           << "<root>/home/.local/share/marvesto"
                                                           << "";
        QTest::newRow("HOME unset") << QString() << "" << fromDatabase << "";
        QTest::newRow("HOME empty") << ""
                                    << "" << fromDatabase << "";
        QTest::newRow("below a regular file") << "<root>/home"
                                              << "<root>/file/data"
                                              << "<root>/file/data/marvesto"
                                              << "Not a directory";
    }

    void startsInThePlayersFolder() {
        QFETCH(QString, home);
        QFETCH(QString, dataHome);
        QFETCH(QString, folder);
        QFETCH(QString, reason);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir(root.path()).mkpath("home"));
        WriteBytes(root.filePath("file").toStdString(), "not a folder");
        const auto place = [&root](QString path) { return path.replace("<root>", root.path()); };
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("HOME");
        environment.remove("XDG_DATA_HOME");
        if (!home.isNull()) {
            environment.insert("HOME", place(home));
        }
        if (!dataHome.isEmpty()) {
            environment.insert("XDG_DATA_HOME", place(dataHome));
        }
        folder = place(folder);
        QString existing = folder;
        while (!QFileInfo::exists(existing)) {
            existing = QFileInfo(existing).path();
        }

        // Without cues to bring, a run in the real home leaves no file there,
        // and the folders that were missing before it go again.
        const ToolRun launch = Launch(environment, root.filePath("no-cues"));
        if (existing != folder) {
            QDir(existing).rmpath(QDir(existing).relativeFilePath(folder));
        }
        QVERIFY(launch.finished);
        if (reason.isEmpty()) {
            QVERIFY2(launch.exitCode == 0, launch.errors.constData());
            QCOMPARE(QString::fromLocal8Bit(launch.output).trimmed(), folder);
            return;
        }
        QVERIFY(launch.exitCode != 0);
        QVERIFY2(launch.output.isEmpty(), "the game was started");
        const QStringList lines =
            QString::fromLocal8Bit(launch.errors).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        const QString& line = lines.front();
        QVERIFY2(line.startsWith("marvesto: ") && line.contains(folder) &&
                     line.endsWith(": " + reason),
                 qPrintable(line));
    }

    void bringsTheCuesWithoutReplacingThePlayersOwn_data() {
        QTest::addColumn<bool>("playerHasDial");
        QTest::newRow("new folder") << false;
        QTest::newRow("player's own dial cue") << true;
    }

    void bringsTheCuesWithoutReplacingThePlayersOwn() {
        QFETCH(bool, playerHasDial);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir base(root.path());
        const QString folder = "data/marvesto";
        QVERIFY(base.mkpath("cues"));
        WriteBytes(base.filePath("cues/INTRO.wav").toStdString(), "new intro");
        WriteBytes(base.filePath("cues/DIAL.wav").toStdString(), "new dial");
        WriteBytes(base.filePath("cues/DEAL.wav").toStdString(), "new deal");
        if (playerHasDial) {
            QVERIFY(base.mkpath(folder));
            WriteBytes(base.filePath(folder + "/DIAL.wav").toStdString(), "player's dial");
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", base.filePath("data"));

        const ToolRun launch = Launch(environment, base.filePath("cues"));
        QVERIFY2(launch.Succeeded(), launch.errors.constData());
        QCOMPARE(QString::fromLocal8Bit(launch.output).trimmed(), base.filePath(folder));
        QCOMPARE(ReadBytesIfAny(base.filePath(folder + "/INTRO.wav").toStdString()),
                 std::string("new intro"));
        QCOMPARE(ReadBytesIfAny(base.filePath(folder + "/DEAL.wav").toStdString()),
                 std::string("new deal"));
        QCOMPARE(ReadBytesIfAny(base.filePath(folder + "/DIAL.wav").toStdString()),
                 playerHasDial ? std::string("player's dial") : std::string("new dial"));
        QVERIFY(!base.exists(folder + "/END.wav"));
    }
};

MARVESTO_TEST_SUITE(LauncherTest)
#include "launcher_test.moc"
