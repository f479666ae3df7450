// The Debian package that cpack builds from this build tree: its name and
// section, the libraries it depends on, the files it installs under /usr,
// what lintian makes of it, and the same bytes from every build.
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "installation.h"
#include "suites.h"
#include "test_paths.h"

using namespace marvesto::testing;

namespace {

constexpr std::chrono::milliseconds kPackTime{60000};

// Builds the package into the folder; the problem on failure.
QString BuildPackage(const QString& folder) {
    // The package must date itself; a packager's SOURCE_DATE_EPOCH would hide
    // a build that does not.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("SOURCE_DATE_EPOCH");
    const ToolRun cpack =
        RunTool(paths::kCpack,
                {"-G", "DEB", "--config", QString::fromUtf8(paths::kBuild) + "/CPackConfig.cmake",
                 "-B", folder},
                environment, kPackTime);
    return cpack.Succeeded() ? QString() : QString::fromUtf8(cpack.output + cpack.errors);
}

QByteArray Checksum(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result().toHex()
                                                                 : QByteArray();
}

} // namespace

class DebianPackageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    QString package_;
    qint64 builtAt_ = 0;

    QString Field(const QString& name) const {
        return QString::fromUtf8(RunTool("dpkg-deb", {"--field", package_, name}).output).trimmed();
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        const QString problem = BuildPackage(folder_.path());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        builtAt_ = QDateTime::currentSecsSinceEpoch();
        // The name the README's `apt install ./marvesto_*.deb` expects.
        const QStringList packages =
            QDir(folder_.path()).entryList({"marvesto_*.deb"}, QDir::Files);
        QCOMPARE(packages.size(), 1);
        package_ = folder_.filePath(packages.front());
    }

    void controlFieldsNameAGame_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("package") << "Package"
                                 << "marvesto";
        QTest::newRow("section") << "Section"
                                 << "games";
        QTest::newRow("version") << "Version" << paths::kVersion;
        // Without it the game cannot run natively on a Wayland desktop.
        QTest::newRow("recommends") << "Recommends"
                                    << "qt6-wayland";
    }

    void controlFieldsNameAGame() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QCOMPARE(Field(field), value);
    }

    // Without any of these the installed game cannot start; the X platform
    // plugin is loaded at run time, so no linker or dpkg-shlibdeps sees it.
    void dependsOnWhatTheGameLoads_data() {
        QTest::addColumn<QString>("dependency");
        for (const char* name : {"libqt6widgets6", "libqt6gui6", "libqt6core6", "qt6-qpa-plugins",
                                 "libsdl2-2.0-0", "libstdc++6", "libc6", "fonts-dejavu-core"}) {
            QTest::newRow(name) << name;
        }
    }

    void dependsOnWhatTheGameLoads() {
        QFETCH(QString, dependency);
        const QString depends = Field("Depends");
        QStringList names;
        for (const QString& entry : depends.split(',')) {
            names << entry.trimmed().section(QRegularExpression("[ (]"), 0, 0);
        }
        QVERIFY2(names.contains(dependency), qPrintable(depends));
    }

    void installsTheFilesOfAnInstallationUnderUsr() {
        const ToolRun contents = RunTool("dpkg-deb", {"--contents", package_});
        QVERIFY(contents.Succeeded());
        QStringList files;
        for (const QString& line :
             QString::fromUtf8(contents.output).split('\n', Qt::SkipEmptyParts)) {
            const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
            const QString& mode = columns.front();
            if (mode.startsWith('d')) {
                continue;
            }
            QString file = columns.back();
            if (file.startsWith("./usr/")) {
                file.remove(0, 6);
            }
            files << file;
            if (InstalledPrograms(Layout::Packaged).contains(file)) {
                QCOMPARE(mode, QStringLiteral("-rwxr-xr-x"));
            }
        }
        files.sort();
        QCOMPARE(files, InstalledFiles(Layout::Packaged));
    }

    // What Debian holds a package to: a copyright and a changelog, a manual
    // page for the command, a game in /usr/games, gzip files without dates.
    void lintianFindsNoErrorOrWarning() {
        const ToolRun lintian = RunTool("lintian", {"--fail-on", "error,warning", package_});
        QVERIFY2(lintian.Succeeded(), lintian.output + lintian.errors);
    }

    void aSecondBuildGivesTheSameBytes() {
        // Dates in a package are whole seconds: a second build within the
        // same second would hide one taken from the clock.
        while (QDateTime::currentSecsSinceEpoch() <= builtAt_) {
            QThread::msleep(100);
        }
        QTemporaryDir second;
        QVERIFY(second.isValid());
        const QString problem = BuildPackage(second.path());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(Checksum(second.filePath(QFileInfo(package_).fileName())), Checksum(package_));
    }
};

MARVESTO_TEST_SUITE(DebianPackageTest)
#include "debian_package_test.moc"
