// Whole games played with the real SDL cue player: every cue comes at its
// moment and blocks the game until it has finished, and missing or broken
// sound changes nothing in the game.
#include "files.h"
#include "game_rig.h"
#include "sdl_cue_player.h"
#include "stderr_capture.h"
#include "suites.h"
#include "test_wav.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

constexpr milliseconds kCueLength{50};
// The broken cues of these tests would last a second; a skipped one returns
// in microseconds, so half the length tells skipped from played.
constexpr milliseconds kBrokenCueLength{1000};
const std::vector<std::string> kCueFiles{"INTRO.wav", "DIAL.wav", "DEAL.wav", "END.wav"};

// The game rig with the real cue player behind its recording one, noting
// when each offer is shown.
struct SoundGame {
    SoundGame() {
        rig.log.watch = [this](const std::string& entry) {
            if (entry == "show Label" + std::to_string(StatusLabel::kOffer)) {
                offersShown.push_back(Clock::now());
            }
        };
        rig.Start();
    }

    SdlCuePlayer player{{}};
    GameRig rig{{.cues = &player}};
    std::vector<Clock::time_point> offersShown;
};

enum class Ending { Deal, LastCase };

// Prizes 26, 25, .., 1 in click order, offer factor 2 every time; refuses the
// first five offers and either takes the sixth or opens the last two cases,
// then clicks the end label.
void PlayGame(GameRig& rig, Ending ending) {
    std::vector<int> prizes(kCaseCount);
    std::iota(prizes.rbegin(), prizes.rend(), 1);
    rig.ScriptPrizes(prizes, std::vector<int>(6, 2));
    rig.ClickNext(kCaseCount - 2);
    if (ending == Ending::Deal) {
        rig.game.Label28_Click();
    } else {
        rig.ClickNext(2);
    }
    rig.game.Label33_Click();
}

milliseconds Took(const RecordingCues::Played& cue) {
    return std::chrono::duration_cast<milliseconds>(cue.end - cue.start);
}

} // namespace

class CueGameTest : public QObject {
    Q_OBJECT

private:
    // Fresh for each test, so that no test hears another's cues.
    std::optional<QTemporaryDir> dir_;
    QString originalDirectory_;

    // The same game as with the recording stand-in instead of sound: the log
    // holds every caption, every control shown or hidden and the quit.
    static void CheckSameGameAsSilent(const GameRig& rig, Ending ending) {
        GameRig silent;
        silent.Start();
        PlayGame(silent, ending);
        QCOMPARE(rig.log.All(), silent.log.All());
    }

    // A game taking the sixth offer, with the cues it played and the lines
    // written to standard error meanwhile.
    static std::pair<std::vector<RecordingCues::Played>, std::vector<std::string>> PlayDeal() {
        StderrCapture errors;
        std::vector<RecordingCues::Played> played;
        {
            SoundGame sound;
            PlayGame(sound.rig, Ending::Deal);
            CheckSameGameAsSilent(sound.rig, Ending::Deal);
            played = sound.rig.cues.played;
        }
        return {played, errors.Finish()};
    }

private slots:
    void init() {
        QVERIFY(dir_.emplace().isValid());
        originalDirectory_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", dir_->filePath("device.raw").toLocal8Bit());
    }

    void cleanup() {
        QDir::setCurrent(originalDirectory_);
        qunsetenv("ALSA_CONFIG_PATH");
        dir_.reset();
    }

    // The intro at the first click, a dial before each of the six offers,
    // the deal cue when an offer is taken, the end cue last; each plays to
    // its end, and no offer appears before its dial tone is over.
    void playsEveryCueInFullAtItsMoment_data() {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<std::vector<std::string>>("lastCues");
        QTest::newRow("deal") << Ending::Deal << std::vector<std::string>{"DEAL.wav", "END.wav"};
        QTest::newRow("last case") << Ending::LastCase << std::vector<std::string>{"END.wav"};
    }
    void playsEveryCueInFullAtItsMoment() {
        QFETCH(Ending, ending);
        QFETCH(std::vector<std::string>, lastCues);
        std::vector<std::string> expected{"INTRO.wav"};
        expected.insert(expected.end(), 6, "DIAL.wav");
        expected.insert(expected.end(), lastCues.begin(), lastCues.end());
        for (const std::string& file : kCueFiles) {
            WriteToneWav(file, kCueLength);
        }

        SoundGame sound;
        PlayGame(sound.rig, ending);

        const auto& played = sound.rig.cues.played;
        std::vector<std::string> files;
        for (const RecordingCues::Played& cue : played) {
            files.push_back(cue.file);
            QCOMPARE_GE(Took(cue), kCueLength);
        }
        QCOMPARE(files, expected);
        QCOMPARE_EQ(sound.offersShown.size(), 6U);
        for (std::size_t offer = 0; offer < 6; ++offer) {
            QCOMPARE_GE(sound.offersShown[offer], played[offer + 1].end);
        }
        CheckSameGameAsSilent(sound.rig, ending);
    }

    // Without playable sound the game goes on at once and plays exactly as
    // it does without a sound device at all; each problem is named once, in
    // one line, and the audio libraries add nothing of their own.
    void badSoundIsSkippedAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<QString>("deviceFile");
        using Bytes = std::optional<std::string>;
        QTest::addColumn<Bytes>("fileBytes");
        QTest::addColumn<int>("problemLines");
        const std::string cue = WavFileBytes(ToneSamples(kBrokenCueLength, {}), {});
        const QByteArray dummy("dummy");
        const QString noFile;
        QTest::newRow("missing files") << dummy << noFile << Bytes() << 0;
        QTest::newRow("empty files") << dummy << noFile << Bytes("") << 4;
        QTest::newRow("cut in the samples")
            << dummy << noFile << Bytes(cue.substr(0, cue.size() / 2)) << 4;
        QTest::newRow("unavailable driver")
            << QByteArray("nonexistent") << noFile << Bytes(cue) << 1;
        QTest::newRow("no output device") << QByteArray("alsa") << noFile << Bytes(cue) << 1;
        // Each cue tries the device afresh, and each file is named once.
        QTest::newRow("device that cannot be opened")
            << QByteArray("disk") << QString("no-such-folder/device.raw") << Bytes(cue) << 4;
    }
    void badSoundIsSkippedAndChangesNothing() {
        QFETCH(QByteArray, driver);
        QFETCH(QString, deviceFile);
        QFETCH(std::optional<std::string>, fileBytes);
        QFETCH(int, problemLines);
        qputenv("SDL_AUDIODRIVER", driver);
        if (!deviceFile.isEmpty()) {
            qputenv("SDL_DISKAUDIOFILE", dir_->filePath(deviceFile).toLocal8Bit());
        }
        // An empty configuration leaves ALSA without a single output, as on a
        // machine with neither sound card nor sound server.
        WriteBytes("empty-alsa.conf", "");
        qputenv("ALSA_CONFIG_PATH", dir_->filePath("empty-alsa.conf").toLocal8Bit());
        for (const std::string& file : fileBytes ? kCueFiles : std::vector<std::string>{}) {
            WriteBytes(file, *fileBytes);
        }

        const auto [played, lines] = PlayDeal();

        QCOMPARE_EQ(played.size(), 9U);
        for (const RecordingCues::Played& cue : played) {
            QCOMPARE_LT(Took(cue), kBrokenCueLength / 2);
        }
        QCOMPARE_EQ(lines.size(), static_cast<std::size_t>(problemLines));
        for (const std::string& line : lines) {
            QVERIFY2(line.starts_with("Marvesto: ") && line.size() < 120, line.c_str());
        }
    }

    // A cue the device refuses (here sixteen channels, which SDL reads but
    // its dummy device cannot take) is skipped alone and named once; the
    // cues after it still play in full.
    void cueTheDeviceRefusesIsSkippedAlone() {
        qputenv("SDL_AUDIODRIVER", "dummy");
        WriteToneWav("INTRO.wav", kBrokenCueLength, {.channels = 16});
        for (const char* file : {"DIAL.wav", "DEAL.wav", "END.wav"}) {
            WriteToneWav(file, kCueLength);
        }

        const auto [played, lines] = PlayDeal();

        QCOMPARE_EQ(played.size(), 9U);
        QCOMPARE(played.front().file, std::string("INTRO.wav"));
        QCOMPARE_LT(Took(played.front()), kBrokenCueLength / 2);
        for (std::size_t cue = 1; cue < played.size(); ++cue) {
            QCOMPARE_GE(Took(played[cue]), kCueLength);
        }
        QCOMPARE_EQ(lines.size(), 1U);
        QVERIFY2(lines.front().starts_with("Marvesto: cannot play INTRO.wav: ") &&
                     lines.front().find("channels") != std::string::npos,
                 lines.front().c_str());
    }
};

MARVESTO_TEST_SUITE(CueGameTest)
#include "cue_game_test.moc"
