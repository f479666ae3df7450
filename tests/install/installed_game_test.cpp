// An installation staged from this build tree with `cmake --install --prefix`:
// every file in its place, a menu entry and AppStream data that validate, and
// the `marvesto` command starting the game for a player with a brand-new home.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "installation.h"
#include "xvfb_display.h"

#include <chrono>

using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

constexpr auto kPatience = 20s;

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class InstalledGameTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir root_;

    QString Prefix() const { return root_.filePath("usr"); }

private slots:
    // The prefix differs from the configured one, as with `--prefix ~/.local`:
    // the command must find the program and cues wherever the tree lies.
    void initTestCase() {
        QVERIFY(root_.isValid());
        const ToolRun install = RunTool(QStringLiteral(MARVESTO_CMAKE),
                                        {"--install", MARVESTO_BUILD_DIR, "--prefix", Prefix()});
        QVERIFY2(install.Succeeded(), install.output + install.errors);
    }

    void holdsEveryFileAndNothingElse() {
        QCOMPARE(FilesUnder(Prefix()), InstalledFiles());
        for (const QString& program : InstalledPrograms()) {
            QVERIFY2(QFileInfo(Prefix() + "/" + program).isExecutable(), qPrintable(program));
        }
    }

    void menuEntryAndMetainfoValidate_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << QStringList{root_.filePath("usr/share/applications/org.marvesto.Marvesto.desktop")};
        // Besides the metainfo itself, this finds the desktop entry it names.
        QTest::newRow("metainfo in the installed tree")
            << "appstreamcli" << QStringList{"validate-tree", "--no-net", root_.path()};
    }

    void menuEntryAndMetainfoValidate() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const ToolRun validation = RunTool(tool, arguments);
        QVERIFY2(validation.Succeeded(), validation.output + validation.errors);
    }

    // The game reads its cues and "Print.txt" from its working directory, so
    // the command must start it in the player's folder, stocked with the cues.
    void commandStartsTheGameForANewPlayer() {
        XvfbDisplay display;
        QVERIFY2(display.Running(), qPrintable(display.Failure()));
        QTemporaryDir places;
        QVERIFY(places.isValid());
        const QDir base(places.path());
        QVERIFY(base.mkpath("home") && base.mkpath("elsewhere"));
        QProcessEnvironment environment = display.Environment();
        environment.insert("HOME", base.filePath("home"));
        environment.remove("XDG_DATA_HOME");

        QProcess game;
        EndWithTestProcess(game);
        // What the command, launcher or program complain of lands in the test log.
        game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        game.setProcessEnvironment(environment);
        game.setWorkingDirectory(base.filePath("elsewhere"));
        game.start(Prefix() + "/bin/marvesto", {});
        QVERIFY(game.waitForStarted());
        const std::uint32_t window = display.WaitForWindow("Marvesto?", kPatience);
        QVERIFY(window != 0);

        // The command and the launcher replace themselves with the program.
        const QString process = QStringLiteral("/proc/%1/").arg(game.processId());
        QCOMPARE(QFileInfo(process + "exe").symLinkTarget(),
                 QFileInfo(Prefix() + "/libexec/marvesto/marvesto").canonicalFilePath());
        const QString folder = base.filePath("home/.local/share/marvesto");
        QCOMPARE(QFileInfo(process + "cwd").symLinkTarget(), folder);
        const QStringList cues{"DEAL.wav", "DIAL.wav", "END.wav", "INTRO.wav"};
        QCOMPARE(FilesUnder(folder), cues);
        for (const QString& cue : cues) {
            const QByteArray installed = Read(Prefix() + "/share/marvesto/cues/" + cue);
            QVERIFY(!installed.isEmpty());
            QCOMPARE(Read(folder + "/" + cue), installed);
        }

        QVERIFY(display.RequestClose(window));
        QVERIFY(game.waitForFinished(std::chrono::milliseconds(kPatience).count()));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(InstalledGameTest)
#include "installed_game_test.moc"
