// Whole games played with the real SDL cue player: every cue comes at its
// moment and blocks the game until it has finished, and missing or broken
// sound changes nothing in the game.
#include "game_rig.h"
#include "sdl_cue_player.h"
#include "stderr_capture.h"
#include "test_wav.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

constexpr milliseconds kCueLength{50};
// A cue that is skipped returns at once; one that plays a broken file even in
// part takes far longer, since the test files last a second.
constexpr milliseconds kSkippedCueLimit{100};
const std::vector<std::string> kCueFiles{"INTRO.wav", "DIAL.wav", "DEAL.wav", "END.wav"};

struct PlayedCue {
    std::string file;
    Clock::time_point start;
    Clock::time_point end;
};

// Hands the game's cues to the real player, logging them as the recording
// fake does and noting when each started and ended.
class TimedCues : public CuePlayer {
public:
    TimedCues(CallLog& log, CuePlayer& player) : log_(log), player_(player) {}

    void Prepare() override {
        log_.push_back("prepare sound");
        player_.Prepare();
    }
    void PlayCue(const std::string& fileName) override {
        const auto start = Clock::now();
        log_.push_back("cue " + fileName);
        player_.PlayCue(fileName);
        played.push_back({fileName, start, Clock::now()});
    }

    std::vector<PlayedCue> played;

private:
    CallLog& log_;
    CuePlayer& player_;
};

// Passes everything on to the recording board, noting when offers are shown.
class TimedBoard : public BoardView {
public:
    explicit TimedBoard(RecordingBoard& board) : board_(board) {}

    void Show(Control label) override {
        if (label == Control::Label(27)) {
            offersShown.push_back(Clock::now());
        }
        board_.Show(label);
    }
    void Hide(Control control) override { board_.Hide(control); }
    void SetCaption(Control label, const std::string& text) override {
        board_.SetCaption(label, text);
    }

    std::vector<Clock::time_point> offersShown;

private:
    RecordingBoard& board_;
};

// The game wired as in GameRig, but with the real cue player.
struct SoundRig {
    SoundRig() { game.Form_Load(); }

    CallLog log;
    RecordingBoard board{log};
    TimedBoard timedBoard{board};
    SdlCuePlayer player{{}};
    TimedCues cues{log, player};
    FakeStore store{log};
    ScriptedRandom random{log};
    RecordingEnd end{log};
    Game game{GameServices{timedBoard, cues, store, random, end}};
};

enum class Ending { Deal, LastCase };

// Prizes 26, 25, .., 1 in click order, offer factor 2 every time.
void ScriptGame(ScriptedRandom& random) {
    std::vector<int> prizes;
    for (int prize = Control::kCaseCount; prize >= 1; --prize) {
        prizes.push_back(prize);
    }
    random.AddPrizes(prizes, std::vector<int>(6, 2));
}

// Refuses the first five offers and either takes the sixth or opens the last
// two cases, then clicks the end label.
void PlayThrough(Game& game, Ending ending) {
    for (int k = 1; k <= 24; ++k) {
        game.CommandClick(k);
    }
    if (ending == Ending::Deal) {
        game.Label28_Click();
    } else {
        game.CommandClick(25);
        game.CommandClick(26);
    }
    game.Label33_Click();
}

// The same game with the recording fake instead of sound.
GameRig SilentGame(Ending ending) {
    GameRig rig;
    ScriptGame(rig.random);
    PlayThrough(rig.game, ending);
    return rig;
}

std::vector<std::string> FilesOf(const std::vector<PlayedCue>& played) {
    std::vector<std::string> files(played.size());
    std::transform(played.begin(), played.end(), files.begin(),
                   [](const PlayedCue& cue) { return cue.file; });
    return files;
}

std::string RandomBytes(std::size_t count) {
    std::mt19937 generator(20240601);
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<char>(generator() & 0xFF));
    }
    return bytes;
}

} // namespace

class CueGameTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString originalDirectory_;

    void WriteEveryCue(const std::string& bytes) const {
        for (const std::string& file : kCueFiles) {
            WriteFile(file, bytes);
        }
    }

    // Leaves QTest::currentTestFailed() set when the games differ.
    static void CheckSameGameAsSilent(const SoundRig& rig, Ending ending) {
        const GameRig silent = SilentGame(ending);
        QCOMPARE(rig.log, silent.log);
        QCOMPARE(rig.board.ShownControls(), silent.board.ShownControls());
        QCOMPARE(rig.board.Caption(Control::Label(34)), silent.board.Caption(Control::Label(34)));
        QCOMPARE_EQ(rig.end.quits, 1);
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        originalDirectory_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", dir_.filePath("device.raw").toLocal8Bit());
    }

    void cleanup() {
        QDir::setCurrent(originalDirectory_);
        qunsetenv("ALSA_CONFIG_PATH");
        for (const QString& file : QDir(dir_.path()).entryList(QDir::Files)) {
            QFile::remove(dir_.filePath(file));
        }
    }

    // The intro at the first click, a dial before each of the six offers,
    // the deal cue when an offer is taken, the end cue last; each plays to
    // its end, and no offer appears before its dial tone is over.
    void playsEveryCueInFullAtItsMoment_data() {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<std::vector<std::string>>("expected");
        std::vector<std::string> offers{"INTRO.wav"};
        offers.insert(offers.end(), 6, "DIAL.wav");
        std::vector<std::string> deal = offers;
        deal.insert(deal.end(), {"DEAL.wav", "END.wav"});
        std::vector<std::string> lastCase = offers;
        lastCase.insert(lastCase.end(), "END.wav");
        QTest::newRow("deal") << Ending::Deal << deal;
        QTest::newRow("last case") << Ending::LastCase << lastCase;
    }
    void playsEveryCueInFullAtItsMoment() {
        QFETCH(Ending, ending);
        QFETCH(std::vector<std::string>, expected);
        int pitch = 300;
        for (const std::string& file : kCueFiles) {
            WriteToneWav(file, kCueLength, {}, pitch += 100);
        }

        SoundRig rig;
        ScriptGame(rig.random);
        PlayThrough(rig.game, ending);

        QCOMPARE(FilesOf(rig.cues.played), expected);
        for (const PlayedCue& cue : rig.cues.played) {
            QCOMPARE_GE(cue.end - cue.start, kCueLength);
        }
        QCOMPARE_EQ(rig.timedBoard.offersShown.size(), 6U);
        for (std::size_t offer = 0; offer < 6; ++offer) {
            QCOMPARE_GE(rig.timedBoard.offersShown[offer], rig.cues.played[offer + 1].end);
        }
        CheckSameGameAsSilent(rig, ending);
    }

    // Without playable sound the game goes on at once and plays exactly as
    // it does without a sound device at all; each problem is named once, in
    // one line, and the audio libraries add nothing of their own.
    void badSoundIsSkippedAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<QString>("deviceFile");
        QTest::addColumn<bool>("filesThere");
        QTest::addColumn<std::string>("fileBytes");
        QTest::addColumn<int>("problemLines");
        const std::string cue = WavFileBytes(ToneSamples(1000ms, {}), {});
        std::string mpegInside = cue;
        mpegInside[20] = 0x55;
        const QByteArray dummy("dummy");
        const QString noFile;
        QTest::newRow("missing files") << dummy << noFile << false << std::string() << 0;
        QTest::newRow("empty files") << dummy << noFile << true << std::string() << 4;
        QTest::newRow("random bytes") << dummy << noFile << true << RandomBytes(4096) << 4;
        QTest::newRow("cut in the header") << dummy << noFile << true << cue.substr(0, 30) << 4;
        QTest::newRow("cut in the samples")
            << dummy << noFile << true << cue.substr(0, cue.size() / 2) << 4;
        QTest::newRow("unsupported encoding") << dummy << noFile << true << mpegInside << 4;
        QTest::newRow("unavailable driver")
            << QByteArray("nonexistent") << noFile << true << cue << 1;
        QTest::newRow("no output device") << QByteArray("alsa") << noFile << true << cue << 1;
        QTest::newRow("device that cannot be opened")
            << QByteArray("disk") << QString("no-such-folder/device.raw") << true << cue << 1;
    }
    void badSoundIsSkippedAndChangesNothing() {
        QFETCH(QByteArray, driver);
        QFETCH(QString, deviceFile);
        QFETCH(bool, filesThere);
        QFETCH(std::string, fileBytes);
        QFETCH(int, problemLines);
        qputenv("SDL_AUDIODRIVER", driver);
        if (!deviceFile.isEmpty()) {
            qputenv("SDL_DISKAUDIOFILE", dir_.filePath(deviceFile).toLocal8Bit());
        }
        // An empty configuration leaves ALSA without a single output, as on a
        // machine with neither sound card nor sound server.
        WriteFile("empty-alsa.conf", "");
        qputenv("ALSA_CONFIG_PATH", dir_.filePath("empty-alsa.conf").toLocal8Bit());
        if (filesThere) {
            WriteEveryCue(fileBytes);
        }

        StderrCapture errors;
        std::vector<PlayedCue> played;
        {
            SoundRig rig;
            ScriptGame(rig.random);
            PlayThrough(rig.game, Ending::Deal);
            CheckSameGameAsSilent(rig, Ending::Deal);
            played = rig.cues.played;
        }
        const std::vector<std::string> lines = errors.Finish();
        if (QTest::currentTestFailed()) {
            return;
        }

        QCOMPARE_EQ(played.size(), 9U);
        for (const PlayedCue& cue : played) {
            QCOMPARE_LT(cue.end - cue.start, kSkippedCueLimit);
        }
        QCOMPARE_EQ(lines.size(), static_cast<std::size_t>(problemLines));
        for (const std::string& line : lines) {
            QVERIFY2(line.starts_with("Marvesto: ") && line.size() < 120, line.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(CueGameTest)
#include "cue_game_test.moc"
