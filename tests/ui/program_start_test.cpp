// The program started without a display: one plain line and a failure status,
// not Qt's abort with its core dump.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "xvfb_display.h"

using marvesto::testing::EndWithTestProcess;

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void withoutADisplayTheProgramSaysSoAndFails_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("named");
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << "DISPLAY is not set";
        QTest::newRow("X named, no DISPLAY") << "xcb"
                                             << ""
                                             << "DISPLAY is not set";
        // No X server answers on display 65000.
        QTest::newRow("DISPLAY without a server") << ""
                                                  << ":65000"
                                                  << "\":65000\"";
        QTest::newRow("X named, DISPLAY without a server") << "xcb"
                                                           << ":65000"
                                                           << "\":65000\"";
    }

    void withoutADisplayTheProgramSaysSoAndFails() {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QFETCH(QString, named);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        if (!platform.isEmpty()) {
            environment.insert("QT_QPA_PLATFORM", platform);
        }
        if (!display.isEmpty()) {
            environment.insert("DISPLAY", display);
        }
        environment.insert("SDL_AUDIODRIVER", "dummy");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());

        QProcess program;
        EndWithTestProcess(program);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(MARVESTO_PROGRAM), {});
        QVERIFY(program.waitForFinished(30000));

        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
        const QStringList lines =
            QString::fromLocal8Bit(program.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.front().contains("display") && lines.front().contains(named),
                 qPrintable(lines.front()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "program_start_test.moc"
