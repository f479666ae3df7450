// The Debian package that cpack builds from this build tree: its name and
// section, the libraries it depends on, and the files it installs under /usr.
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "installation.h"

using namespace marvesto::testing;

class DebianPackageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder_;
    QString package_;

    QString Field(const QString& name) const {
        return QString::fromUtf8(RunTool("dpkg-deb", {"--field", package_, name}).output).trimmed();
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        const ToolRun cpack =
            RunTool(QStringLiteral(MARVESTO_CPACK),
                    {"-G", "DEB", "--config", MARVESTO_BUILD_DIR "/CPackConfig.cmake", "-B",
                     folder_.path()});
        QVERIFY2(cpack.Succeeded(), cpack.output + cpack.errors);
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
        QTest::newRow("version") << "Version" << MARVESTO_VERSION;
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
                                 "libsdl2-2.0-0", "libxcb1", "libstdc++6", "libc6"}) {
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
            if (InstalledPrograms().contains(file)) {
                QCOMPARE(mode, QStringLiteral("-rwxr-xr-x"));
            }
        }
        files.sort();
        QCOMPARE(files, InstalledFiles());
    }
};

QTEST_GUILESS_MAIN(DebianPackageTest)
#include "debian_package_test.moc"
