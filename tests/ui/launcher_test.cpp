// The launcher that ./play and an installed game start through: it enters the
// player's own folder, creating it, and brings the sound cues there without
// ever replacing one the folder already holds.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "xvfb_display.h"

using marvesto::testing::EndWithTestProcess;

namespace {

bool Write(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT

private slots:
    void startsInThePlayersFolder_data() {
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("playerHasDial");
        QTest::newRow("XDG_DATA_HOME, new folder") << "data"
                                                   << "data/marvesto" << false;
        QTest::newRow("default, player's own dial cue") << ""
                                                        << "home/.local/share/marvesto" << true;
        QTest::newRow("relative XDG_DATA_HOME is ignored") << "relative/data"
                                                           << "home/.local/share/marvesto" << false;
    }

    void startsInThePlayersFolder() {
        QFETCH(QString, dataHome);
        QFETCH(QString, folder);
        QFETCH(bool, playerHasDial);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir base(root.path());
        QVERIFY(base.mkpath("cues") && base.mkpath("home") && base.mkpath("work"));
        QVERIFY(Write(base.filePath("cues/INTRO.wav"), "new intro"));
        QVERIFY(Write(base.filePath("cues/DIAL.wav"), "new dial"));
        QVERIFY(Write(base.filePath("cues/DEAL.wav"), "new deal"));
        if (playerHasDial) {
            QVERIFY(base.mkpath(folder));
            QVERIFY(Write(base.filePath(folder + "/DIAL.wav"), "player's dial"));
        }

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", base.filePath("home"));
        environment.remove("XDG_DATA_HOME");
        if (dataHome == "data") {
            environment.insert("XDG_DATA_HOME", base.filePath(dataHome));
        } else if (!dataHome.isEmpty()) {
            environment.insert("XDG_DATA_HOME", dataHome);
        }
        QProcess launcher;
        EndWithTestProcess(launcher);
        launcher.setProcessEnvironment(environment);
        launcher.setWorkingDirectory(base.filePath("work"));
        // pwd stands in for the game and tells where it was started.
        launcher.start(QStringLiteral(MARVESTO_SOURCE_DIR "/tools/marvesto-launch"),
                       {"/bin/pwd", base.filePath("cues")});
        QVERIFY(launcher.waitForFinished(30000));
        QCOMPARE(launcher.exitCode(), 0);

        QCOMPARE(QString::fromLocal8Bit(launcher.readAllStandardOutput()).trimmed(),
                 base.filePath(folder));
        QCOMPARE(Read(base.filePath(folder + "/INTRO.wav")), QByteArray("new intro"));
        QCOMPARE(Read(base.filePath(folder + "/DEAL.wav")), QByteArray("new deal"));
        QCOMPARE(Read(base.filePath(folder + "/DIAL.wav")),
                 playerHasDial ? QByteArray("player's dial") : QByteArray("new dial"));
        QVERIFY(!base.exists(folder + "/END.wav"));
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "launcher_test.moc"
