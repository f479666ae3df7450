// The four cues shipped in assets/: they are exactly what tools/make-cues
// writes, and each is a short 16-bit PCM file that fades in and out.
#include "files.h"
#include "loaded_wav.h"
#include "suites.h"
#include "test_wav.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

using marvesto::LoadedWav;
using namespace marvesto::testing;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

const QString kSourceDirectory = QStringLiteral(MARVESTO_SOURCE_DIR);

std::string AssetPath(const QString& name) {
    return (kSourceDirectory + "/assets/" + name).toStdString();
}

} // namespace

class CueAssetsTest : public QObject {
    Q_OBJECT

private slots:
    // A cue edited by hand or left behind by an older generator would be
    // lost the next time anyone runs it.
    void generatorWritesTheCommittedCues() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QProcess generator;
        generator.start(QStringLiteral(MARVESTO_PYTHON),
                        {kSourceDirectory + "/tools/make-cues", dir.path()});
        QVERIFY(generator.waitForFinished(60000));
        QCOMPARE_EQ(generator.exitStatus(), QProcess::NormalExit);
        QCOMPARE_EQ(generator.exitCode(), 0);
        for (const char* name : {"INTRO.wav", "DIAL.wav", "DEAL.wav", "END.wav"}) {
            const std::string made = ReadBytes(dir.filePath(name).toStdString());
            QVERIFY2(!made.empty(), name);
            QVERIFY2(made == ReadBytes(AssetPath(name)), name);
        }
    }

    void cueIsShortPcmThatFadesInAndOut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<milliseconds>("shortest");
        QTest::addColumn<milliseconds>("longest");
        QTest::newRow("intro") << "INTRO.wav" << 1300ms << 1700ms;
        QTest::newRow("dial") << "DIAL.wav" << 800ms << 1200ms;
        QTest::newRow("deal") << "DEAL.wav" << 800ms << 1200ms;
        QTest::newRow("end") << "END.wav" << 1300ms << 1700ms;
    }
    void cueIsShortPcmThatFadesInAndOut() {
        QFETCH(QString, name);
        QFETCH(milliseconds, shortest);
        QFETCH(milliseconds, longest);

        // SDL decodes compressed encodings to 16-bit samples too, so the file
        // itself has to say PCM; the generator writes its format first.
        const std::string file = ReadBytes(AssetPath(name));
        QVERIFY(file.compare(8, 8, "WAVEfmt ") == 0 && file[20] == 1 && file[21] == 0);
        const LoadedWav wav(AssetPath(name));
        QCOMPARE_EQ(wav.State(), LoadedWav::Status::Loaded);
        QCOMPARE_EQ(wav.Format().format, AUDIO_S16LSB);
        QVERIFY(wav.Format().channels == 1 || wav.Format().channels == 2);
        QVERIFY(wav.Format().freq == 22050 || wav.Format().freq == 44100);
        QCOMPARE_GE(wav.Duration(), shortest);
        QCOMPARE_LE(wav.Duration(), longest);

        const auto* samples = reinterpret_cast<const std::int16_t*>(wav.Samples());
        const std::size_t count = wav.Length() / 2;
        const auto [lowest, highest] = std::minmax_element(samples, samples + count);
        const int peak = std::max(-int{*lowest}, int{*highest});
        // Loud enough to hear, with room left below full scale.
        QCOMPARE_GE(peak, 32767 / 4);
        QCOMPARE_LT(peak, 32767);
        // Starting or stopping away from zero would click.
        QCOMPARE_LT(std::abs(int{samples[0]}), 32767 / 100);
        QCOMPARE_LT(std::abs(int{samples[count - 1]}), 32767 / 100);
    }
};

MARVESTO_TEST_SUITE(CueAssetsTest)
#include "cue_assets_test.moc"
