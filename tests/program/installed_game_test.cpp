// An installation staged from this build tree with `cmake --install --prefix`:
// every file in its place, a menu entry and AppStream data that validate, and
// the `marvesto` command starting the game for a player with a brand-new home.
#include "files.h"
#include "installation.h"
#include "program_on_display.h"
#include "suites.h"
#include "test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace marvesto::testing;

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
        const ToolRun install =
            RunTool(paths::kCmake, {"--install", paths::kBuild, "--prefix", Prefix()});
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
        // A software centre needs what --pedantic asks for; --strict fails
        // on every finding but the pedantic ones, of which the capitals in
        // the reverse-domain name are the only one.
        QTest::newRow("metainfo in the installed tree")
            << "appstreamcli"
            << QStringList{"validate-tree", "--pedantic", "--strict", "--no-net", root_.path()};
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
        TestDisplay display;
        QVERIFY2(display.Failure().isEmpty(), qPrintable(display.Failure()));
        QTemporaryDir places;
        QVERIFY(places.isValid());
        const QDir base(places.path());
        QVERIFY(base.mkpath("home") && base.mkpath("elsewhere"));
        ProgramOnDisplay game(
            display, {.folder = base.filePath("elsewhere"),
                      .variables = {{"HOME", base.filePath("home")}, {"XDG_DATA_HOME", QString()}},
                      .program = Prefix() + "/bin/marvesto"});
        QVERIFY2(game.Failure().isEmpty(), qPrintable(game.Failure()));

        // The command and the launcher replace themselves with the program.
        const QString process = QStringLiteral("/proc/%1/").arg(game.ProcessId());
        QCOMPARE(QFileInfo(process + "exe").symLinkTarget(),
                 QFileInfo(Prefix() + "/libexec/marvesto/marvesto").canonicalFilePath());
        const QString folder = base.filePath("home/.local/share/marvesto");
        QCOMPARE(QFileInfo(process + "cwd").symLinkTarget(), folder);
        const QStringList cues{"DEAL.wav", "DIAL.wav", "END.wav", "INTRO.wav"};
        QCOMPARE(FilesUnder(folder), cues);
        for (const QString& cue : cues) {
            const std::string installed =
                ReadBytes((Prefix() + "/share/marvesto/cues/" + cue).toStdString());
            QVERIFY(!installed.empty());
            QCOMPARE(ReadBytes((folder + "/" + cue).toStdString()), installed);
        }

        QVERIFY(game.RequestClose());
        QVERIFY(game.WaitForEnd());
        QCOMPARE(game.ExitStatus(), 0);
    }
};

MARVESTO_TEST_SUITE(InstalledGameTest)
#include "installed_game_test.moc"
